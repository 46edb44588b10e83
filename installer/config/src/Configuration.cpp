#include "vtx/installer/Configuration.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "AnswerText.h"
#include "vtx/installer/EstablishmentCaptions.h"
#include "vtx/installer/InstallMedium.h"
#include "vtx/installer/InstallSession.h"
#include "vtx/installer/PinPadCatalogue.h"
#include "vtx/installer/RouteFileRewrite.h"
#include "vtx/platform/AsciiCase.h"
#include "vtx/platform/AtomicFile.h"
#include "vtx/platform/IniFile.h"
#include "vtx/platform/Paths.h"
#include "vtx/platform/ProcessStart.h"

namespace vtx::install {

namespace {

namespace fs = std::filesystem;
using platform::IniWrite;

constexpr mode_t kProgramMode = 0755;
// The listening port and the local gateway port every installation starts with.
constexpr const char* kStationPort = "5002";

using detail::trimmed;

std::string withoutTrailingSeparator(std::string text) {
    text = trimmed(text);
    while (!text.empty() && (text.back() == '\\' || text.back() == '/')) text.pop_back();
    return text;
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// A non-negative number written in decimal digits only.
std::optional<int> number(std::string_view text) {
    const std::string t = trimmed(text);
    if (t.empty() || t.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// One INI file of the plan: its path, the content it starts from and the
// writes applied to it.
struct IniPlan {
    std::string path;
    std::string base;
    std::vector<IniWrite> writes;

    void set(std::string section, std::string key, std::string value) {
        writes.push_back({std::move(section), std::move(key), std::move(value)});
    }
    FileWrite file(mode_t mode, std::string what) const {
        return {path, platform::iniApplyWrites(base, writes), mode, std::move(what), ""};
    }
};

IniPlan iniPlan(const std::string& path, const std::string& whenMissing = "") {
    IniPlan plan;
    plan.path = path;
    plan.base = readWhole(path).value_or(whenMissing);
    return plan;
}

// The file of the vendor library `dll` on the medium, as the platform's
// loader would find it by that name: the name itself, lib<stem>.so, <stem>.so.
std::optional<std::string> vendorLibraryOnMedium(const std::string& mediumDir, std::string dll) {
    const size_t slash = dll.find_last_of("\\/");
    if (slash != std::string::npos) dll.erase(0, slash + 1);
    if (dll.empty()) return std::nullopt;
    if (auto exact = mediumFile(mediumDir, dll)) return exact;
    std::string stem = dll;
    if (platform::endsWithIgnoreCase(stem, ".dll")) stem.resize(stem.size() - 4);
    if (auto lib = mediumFile(mediumDir, "lib" + stem + ".so")) return lib;
    return mediumFile(mediumDir, stem + ".so");
}

class Planner {
public:
    Planner(const InstallAnswers& answers, const InstallDescription& description,
            const std::string& mediumDir, const PlanOptions& options)
        : a_(answers), d_(description), medium_(mediumDir), options_(options) {}

    PlanResult run();

private:
    bool fail(std::string message) {
        error_ = std::move(message);
        return false;
    }
    std::string installNative(std::string_view name) const {
        return platform::resolve(plan_.location.installDir + "\\" + std::string(name));
    }
    std::string stationNative(std::string_view name) const {
        return platform::resolve(plan_.location.stationDir + "\\" + std::string(name));
    }
    // The installation directory's copy of a medium data file as it will be
    // once the medium is copied.
    std::optional<std::string> dataFile(std::string_view name) const {
        if (options_.copyMedium) {
            if (auto onMedium = mediumFile(medium_, name)) return onMedium;
        }
        const std::string installed = installNative(name);
        if (isRegularFile(installed)) return installed;
        return std::nullopt;
    }

    bool copyFromMedium(const std::string& from, const std::string& to, mode_t mode,
                        std::string what);
    bool installProgram(const std::string& from, const std::string& to, std::string what);
    bool planPrograms();
    bool planDataFiles();
    bool planRouteFile();
    bool planServerKeys();
    bool planPinPad();
    void planClientIni();
    void planStarts();

    const InstallAnswers& a_;
    const InstallDescription& d_;
    const std::string medium_;
    const PlanOptions options_;
    ConfigurationPlan plan_;
    std::string error_;
    int kind_ = -1;
    int mode_ = -1;
    IniPlan core_;
    IniPlan locator_;
    std::optional<IniPlan> ppvisa_;
    std::optional<IniPlan> clientIni_;
    std::vector<FileWrite> copies_;
    std::optional<FileWrite> routes_;
};

bool Planner::copyFromMedium(const std::string& from, const std::string& to, mode_t mode,
                             std::string what) {
    auto bytes = readWhole(from);
    if (!bytes) return fail("n\xE3o foi poss\xEDvel ler " + from + ": " + std::strerror(errno));
    copies_.push_back({to, std::move(*bytes), mode, std::move(what), ""});
    return true;
}

bool Planner::installProgram(const std::string& from, const std::string& to, std::string what) {
    struct stat st {};
    if (::lstat(from.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        std::error_code ec;
        const fs::path target = fs::canonical(from, ec);
        if (ec) return fail("n\xE3o foi poss\xEDvel seguir " + from + ": " + ec.message());
        copies_.push_back({to, "", kProgramMode, std::move(what), target.string()});
        return true;
    }
    return copyFromMedium(from, to, kProgramMode, std::move(what));
}

bool Planner::planPrograms() {
    if (auto missing = missingProgram(medium_)) {
        return fail(std::string(kMediumNotFoundMessage) + "\r\n(" + *missing + " n\xE3o est\xE1 em " +
                    medium_ + ")");
    }
    std::vector<std::string> programs = requiredPrograms();
    if (mediumFile(medium_, kLinkAgentWindowProgram))
        programs.emplace_back(kLinkAgentWindowProgram);
    for (const std::string& program : programs) {
        const bool linkAgent = program == kLinkAgentProgram || program == kLinkAgentWindowProgram;
        const bool removed = (kind_ >= kEstacao && linkAgent) ||
                             (kind_ == kCheckout && program == kClientProgram);
        if (removed) {
            plan_.removals.push_back(stationNative(program));
            continue;
        }
        if (!installProgram(*mediumFile(medium_, program), stationNative(program), program))
            return false;
    }
    return true;
}

bool Planner::planDataFiles() {
    for (const std::string& name : mediumDataFiles()) {
        if (platform::equalsIgnoreCase(name, kClientIni)) continue;  // with the captions
        auto onMedium = mediumFile(medium_, name);
        if (!onMedium) continue;
        // The route records of the medium may hold master keys.
        const bool routes = platform::endsWithIgnoreCase(name, ".BIN");
        if (!copyFromMedium(*onMedium, installNative(name),
                            routes ? platform::kPrivateFileMode : platform::kSharedFileMode, name))
            return false;
    }
    return true;
}

bool Planner::planRouteFile() {
    if (mode_ != kIpLocal && mode_ != kTraducaoEndereco) return true;
    const char* name = mode_ == kIpLocal ? "VXIFCFG.BIN" : "VXIFNAT.BIN";
    auto source = dataFile(name);
    if (!source) return fail(std::string(name) + " n\xE3o encontrado no meio de instala\xE7\xE3o (" +
                             medium_ + ")");
    auto bytes = readWhole(*source);
    if (!bytes) return fail("n\xE3o foi poss\xEDvel ler " + *source + ": " + std::strerror(errno));
    RouteRewrite routes = mode_ == kIpLocal
                              ? rewriteRoutes(*bytes, mode_, trimmed(a_.ipLocal.tcpip),
                                              trimmed(a_.ipLocal.porta))
                              : rewriteRoutes(*bytes, mode_, trimmed(a_.ipNat.tcpip), "");
    if (!routes.error.empty()) return fail(std::string(name) + ": " + routes.error);
    routes_ = FileWrite{installNative("VXIFCLI.BIN"), std::move(routes.records),
                        platform::kPrivateFileMode,
                        "VXIFCLI.BIN (" + std::to_string(routes.count) + " rotas de " + name + ")", ""};
    return true;
}

// CORE.INI of a machine holding the installation (kinds 0-2).
bool Planner::planServerKeys() {
    const std::string dir = plan_.location.installDir;
    locator_.set("CORE", "Path Core", dir);
    locator_.set("CORE", "Path Server", dir);
    if (plan_.firstInstallation) {
        core_.set("CONFIG", "Estab_Code", trimmed(a_.estab.cnpj).substr(0, 15));
    }
    core_.set("CONFIG", "PASSIVE MODE", trimmed(a_.server.ftpMode));
    core_.set("DialUP", "ActiveDialUp", mode_ == kDiscado ? "Y" : "N");
    core_.set("DialUP", "Connection", trimmed(a_.dial.dialup));
    core_.set("DialUP", "Time2HangUp", trimmed(a_.dial.to));
    core_.set("CONFIG", "IPLOCALTCP", trimmed(a_.ipLocal.tcpip));
    core_.set("CONFIG", "IPLOCALPORTA", trimmed(a_.ipLocal.porta));
    core_.set("CONFIG", "IPNAT", trimmed(a_.ipNat.tcpip));
    core_.set("TCPIP PORTS", "port2Listen", kStationPort);
    core_.set("TCPIP PORTS", "DATA TYPE", "N");
    core_.set("TCPIP PORTS", "LEN SIZE", "4");
    if (kind_ == kMonoUsuario && mode_ != kDiscado) {
        core_.set("CONFIG", "Cli_Connection", "Y");
        core_.set("CONFIG", "ACESS_TYPE", "0");
    } else {
        core_.set("CONFIG", "Cli_Connection", "N");
        core_.set("CONFIG", "ACESS_TYPE", "2");
        core_.set("LOCAL", "Address", trimmed(a_.server.ipAddress));
        core_.set("LOCAL", "PORT", kStationPort);
    }
    const std::string fileProd = trimmed(a_.server.fileProd);
    core_.set("PRODUTO", "FILENAME", fileProd);
    core_.set("PRODUTO", "TYPE_READ", fileProd.empty() ? "0" : "2");
    const std::string fileAux = trimmed(a_.server.fileAux);
    core_.set("CONFIG", "FILEAUX", fileAux);
    if (!fileAux.empty()) core_.set("CONFIG", "LayoutArquivo", "1");
    core_.set("CONFIG", "DRIVE_SERVER", trimmed(a_.server.drive));
    core_.set("CONFIG", "DRIVE_ESTACAO", trimmed(a_.estacao.driveEst));
    core_.set("CONFIG", "IPSERVER", trimmed(a_.server.ipAddress));
    return true;
}

bool Planner::planPinPad() {
    if (kind_ >= kEstacao) {
        locator_.set("CORE", "Path Core", plan_.location.installDir);
        locator_.set("CORE", "Path Server", plan_.location.installDir);
    }
    int aplic = 0, leitor = 0, modelo = 0, serial = 0;
    if (options_.pinPadAsked) {
        const std::pair<const char*, const std::string*> fields[] = {
            {"Aplic_Type", &a_.pinpad.aplicType},
            {"Leitor_Type", &a_.pinpad.leitorType},
            {"ModeloPin", &a_.pinpad.modeloPin},
            {"Serial_Port", &a_.pinpad.serialPort},
        };
        int* values[] = {&aplic, &leitor, &modelo, &serial};
        for (size_t i = 0; i < 4; ++i) {
            auto value = number(*fields[i].second);
            if (!value) {
                return fail(std::string("PINPAD/") + fields[i].first + " = \"" + *fields[i].second +
                            "\": deve ser um n\xFAmero");
            }
            *values[i] = *value;
        }
    }
    core_.set("CONFIG", "Aplic_Type", std::to_string(aplic));
    core_.set("CONFIG", "Leitor_Type", std::to_string(leitor));
    core_.set("CONFIG", "ModeloPin", std::to_string(modelo));
    core_.set("CONFIG", "Serial_Port", std::to_string(serial));

    auto pinPadIni = dataFile("PinPad.ini");
    std::optional<PinPadModel> model;
    if (pinPadIni) model = pinPadModel(*pinPadIni, aplic, modelo);
    if (!model) {
        if (!options_.pinPadAsked) return true;
        if (!pinPadIni) return fail("PinPad.ini n\xE3o encontrado no meio de instala\xE7\xE3o (" + medium_ + ")");
        return fail("PinPad.ini n\xE3o tem o modelo de PIN pad " + std::to_string(modelo) +
                    " (se\xE7\xE3o [PINPAD] \"" + std::to_string(modelo) + "\" com Sigla na se\xE7\xE3o " +
                    std::to_string(aplic) + "<modelo>)");
    }

    ppvisa_ = iniPlan(platform::profilePath("PPVISA.INI"));
    const char* driverKey = aplic == 0 ? "Driver16" : "Driver32";
    const std::string present =
        platform::IniDocument::parse(ppvisa_->base).getString("General", driverKey, "");
    std::string dllName = model->dll;
    const size_t slash = dllName.find_last_of("\\/");
    if (slash != std::string::npos) dllName.erase(0, slash + 1);
    const bool keepPresent = !dllName.empty() && platform::containsIgnoreCase(present, dllName);
    const std::string libraryPath =
        keepPresent ? present : plan_.location.installDir + "\\" + dllName;
    ppvisa_->set("General", driverKey, libraryPath);
    const std::string port = std::to_string(serial + 1);
    core_.set("PINPAD", "PINPORT", port);
    ppvisa_->set(model->sigla, model->chaveCom,
                 platform::equalsIgnoreCase(model->chaveCom, "Config") ? port + "CHIP" : port);
    core_.set("PINPAD", "PINPAD", model->sigla);
    core_.set("PINPAD", "DLLPIN", libraryPath);
    core_.set("PINPAD", "DLLTYPE", model->dllType);

    // The vendor library travels on the medium when the shop has no other.
    if (options_.copyMedium && !keepPresent) {
        if (auto library = vendorLibraryOnMedium(medium_, dllName)) {
            const std::string name = library->substr(library->find_last_of('/') + 1);
            if (!installProgram(*library, installNative(name), name)) return false;
        }
    }
    return true;
}

void Planner::planClientIni() {
    const std::string path = installNative(kClientIni);
    const bool present = isRegularFile(path);
    std::string base;
    if (!present && options_.copyMedium) {
        if (auto onMedium = mediumFile(medium_, kClientIni)) base = readWhole(*onMedium).value_or("");
    }
    const bool captions = plan_.firstInstallation && holdsInstallation(kind_);
    if (present && !captions) return;
    if (!present && base.empty() && !captions) return;
    clientIni_ = iniPlan(path, base);
    if (captions) {
        clientIni_->set("FormComplementar", "lblNomeEstab",
                        establishmentNameCaption(trimmed(a_.estab.fantasia)));
        clientIni_->set("FormComplementar", "lblCodigoEstab",
                        establishmentCodeCaption(trimmed(a_.estab.cnpj).substr(0, 15)));
    }
}

void Planner::planStarts() {
    if (!holdsInstallation(kind_) || !plan_.firstInstallation || !options_.startPrograms) return;
    if (!d_.ativaLa) plan_.starts.push_back(stationNative(kLinkAgentProgram));
    if (!d_.ativaClient) plan_.starts.push_back(stationNative(kClientProgram));
}

PlanResult Planner::run() {
    kind_ = a_.kind();
    mode_ = a_.accessMode();
    if (kind_ < kServidor || kind_ > kCheckout)
        return {std::nullopt, "SERVER/TIPO = \"" + a_.server.tipo + "\": " + kindCaption(kind_)};
    if (mode_ < kDedicadoTcpIp || mode_ > kTraducaoEndereco)
        return {std::nullopt, "SERVER/MODO = \"" + a_.server.modo + "\": " + accessModeCaption(mode_, "")};
    plan_.location = locationFor(a_);
    core_ = iniPlan(installNative("CORE.INI"));
    plan_.firstInstallation = !isRegularFile(core_.path);
    locator_ = iniPlan(platform::profilePath("WINVTXCORE.INI"));

    const bool holds = holdsInstallation(kind_);
    bool ok = (!options_.copyMedium || (planPrograms() && (!holds || planDataFiles()))) &&
              (!holds || (planRouteFile() && planServerKeys()));
    if (ok) {
        core_.set("CONFIG", "MODOACESSO", std::to_string(mode_));
        ok = kind_ == kServidor || planPinPad();
    }
    if (!ok) return {std::nullopt, error_};
    if (holds && plan_.firstInstallation) core_.set("LOCAL", "Address", trimmed(a_.server.ipAddress));
    core_.set("CONFIG", "TIPOINSTALL", std::to_string(kind_));
    planClientIni();
    planStarts();
    if (!holds) plan_.finalMessage = kInstalledMessage;

    // Folders first; CORE.INI, the mark of a done installation, last of the
    // configuration, then the server's mark the stations wait for.
    plan_.folders.push_back(platform::windowsDirectory());
    plan_.folders.push_back(platform::resolve(plan_.location.installDir));
    plan_.folders.push_back(platform::resolve(plan_.location.stationDir));
    if (holds) {
        plan_.folders.push_back(installNative("Req"));
        plan_.folders.push_back(installNative("Resp"));
        // LinkAgent's log is written only where its folder exists.
        plan_.folders.push_back(installNative("LOG"));
        // The point-of-sale export file's folder must exist to be written.
        const std::string fileAux = trimmed(a_.server.fileAux);
        if (!fileAux.empty()) plan_.folders.push_back(platform::resolve(fileAux));
    }
    for (FileWrite& copy : copies_) plan_.writes.push_back(std::move(copy));
    if (routes_) plan_.writes.push_back(std::move(*routes_));
    if (ppvisa_) plan_.writes.push_back(ppvisa_->file(platform::kSharedFileMode, "PPVISA.INI"));
    if (clientIni_) plan_.writes.push_back(clientIni_->file(platform::kSharedFileMode, "VtxClient.ini"));
    plan_.writes.push_back(locator_.file(platform::kSharedFileMode, "WINVTXCORE.INI"));
    plan_.writes.push_back(core_.file(platform::kSharedFileMode, "CORE.INI"));
    if (holds) {
        plan_.writes.push_back({installNative("INSTALL.TXT"),
                                "Vantorix instalado em " + plan_.location.installDir + "\r\n",
                                platform::kSharedFileMode, "INSTALL.TXT", ""});
    }
    return {std::move(plan_), ""};
}

std::string describeErrno(int error) { return std::strerror(error); }

// Who the station's files belong to. An installer run by root (a package's
// technician) gives what it writes to the owner of the station root (the
// package's user, whom LinkAgent runs as), so the programs may go on writing
// their tables, logs and traces; any other user keeps its own files.
struct StationOwner {
    bool active = false;
    uid_t uid = 0;
    gid_t gid = 0;

    // `path` and the folders above it up to the root that create_directories
    // may have made with it; a folder already the owner's ends the walk.
    void give(const std::string& path) const {
        if (!active) return;
        const std::string root = platform::vtxRoot();
        if (path.compare(0, root.size() + 1, root + "/") != 0) return;  // not the station's
        if (::lchown(path.c_str(), uid, gid) != 0) return;
        for (fs::path folder = fs::path(path).parent_path(); folder.string().size() > root.size();
             folder = folder.parent_path()) {
            struct stat st {};
            if (::lstat(folder.c_str(), &st) != 0 || (st.st_uid == uid && st.st_gid == gid)) return;
            if (::lchown(folder.c_str(), uid, gid) != 0) return;
        }
    }
};

StationOwner stationOwner() {
    StationOwner owner;
    struct stat st {};
    if (::geteuid() != 0 || ::stat(platform::vtxRoot().c_str(), &st) != 0) return owner;
    owner.active = st.st_uid != 0;
    owner.uid = st.st_uid;
    owner.gid = st.st_gid;
    return owner;
}

// Puts a symbolic link to `target` in place of `path` in one rename, so a
// kill leaves the old file or the link. 0, or the errno of the failed step.
int replaceWithLink(const std::string& path, const std::string& target) {
    const fs::path where(path);
    platform::removeStaleTemporaries(where.parent_path().string(), where.filename().string());
    const std::string temporary = platform::temporaryPathFor(path);
    if (::symlink(target.c_str(), temporary.c_str()) != 0) return errno;
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    platform::syncDirectory(where.parent_path().string());
    return 0;
}

}  // namespace

InstallLocation locationFor(const InstallAnswers& answers) {
    const int kind = answers.kind();
    InstallLocation location;
    if (kind >= kEstacao) {
        location.installDir = withoutTrailingSeparator(answers.server.path);
        location.stationDir = withoutTrailingSeparator(answers.estacao.driveEst) + "\\Vantrix";
    } else {
        location.installDir = withoutTrailingSeparator(answers.server.drive) + "\\Vantrix";
        location.stationDir = location.installDir;
    }
    return location;
}

PlanResult planConfiguration(const InstallAnswers& answers, const InstallDescription& description,
                             const std::string& mediumDir, const PlanOptions& options) {
    try {
        return Planner(answers, description, mediumDir, options).run();
    } catch (const std::exception& e) {
        return {std::nullopt, std::string("falha ao preparar a configura\xE7\xE3o: ") + e.what()};
    }
}

ApplyReport applyConfiguration(const ConfigurationPlan& plan) {
    ApplyReport report;
    const StationOwner owner = stationOwner();
    for (const std::string& folder : plan.folders) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (!ec) owner.give(folder);
        if (ec) {
            report.error = "n\xE3o foi poss\xEDvel criar a pasta " + folder + ": " + ec.message();
            return report;
        }
    }
    // Every folder written must take files before the first file changes.
    for (const FileWrite& write : plan.writes) {
        const std::string folder = std::filesystem::path(write.path).parent_path().string();
        if (::access(folder.c_str(), W_OK | X_OK) != 0) {
            report.error = "a pasta " + folder + " n\xE3o pode ser gravada: " + describeErrno(errno);
            return report;
        }
    }
    for (const FileWrite& write : plan.writes) {
        if (!write.linkTarget.empty()) {
            if (int error = replaceWithLink(write.path, write.linkTarget)) {
                report.error = "n\xE3o foi poss\xEDvel ligar " + write.path + " a " + write.linkTarget +
                               ": " + describeErrno(error);
                return report;
            }
            owner.give(write.path);
            report.done.push_back("ligado " + write.what + ": " + write.path + " -> " + write.linkTarget);
            continue;
        }
        platform::FileOptions options;
        options.mode = write.mode;
        options.durable = true;
        if (int error = platform::replaceFile(write.path, write.content, options)) {
            report.error = "n\xE3o foi poss\xEDvel gravar " + write.path + ": " + describeErrno(error);
            return report;
        }
        owner.give(write.path);
        report.done.push_back("gravado " + write.what + ": " + write.path);
    }
    for (const std::string& removal : plan.removals) {
        if (::unlink(removal.c_str()) == 0) {
            report.done.push_back("removido " + removal);
        } else if (errno != ENOENT) {
            report.error = "n\xE3o foi poss\xEDvel remover " + removal + ": " + describeErrno(errno);
            return report;
        }
    }
    for (const std::string& program : plan.starts) {
        const int started = platform::startProgramHidden(program);
        report.done.push_back((started == platform::kStartOk ? "iniciado " : "n\xE3o iniciado (" +
                               std::to_string(started) + ") ") + program);
    }
    report.ok = true;
    return report;
}

}  // namespace vtx::install
