// The installer's answers file on any bytes: read, judged page by page and
// planned as the unattended mode does, without writing anything.
#include "FuzzInput.h"
#include "vtx/installer/InstallAnswers.h"
#include "vtx/installer/PageChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vtx::install;
    const auto file = vtx::platform::IniDocument::parse(vtx::fuzz::text(data, size));
    std::vector<std::string> sections;
    const InstallAnswers answers = readAnswers(file, &sections);
    InstallDescription description;
    description.dadosAdic = size % 2 == 1;
    const auto pages = pagesFor(answers, description);
    vtx::fuzz::require(!pages.empty() && pages.front() == Page::kKind, "the kind page comes first");
    const auto failure = checkAnswers(answers, description);
    if (failure) vtx::fuzz::require(!failure->message.empty() && !failure->field.empty(),
                                    "a refusal names its field");
    (void)kindCaption(answers.kind());
    (void)accessModeCaption(answers.accessMode(), answers.dial.dialup);
    return 0;
}
