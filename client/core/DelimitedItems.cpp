#include "core/DelimitedItems.h"

#include <string>

#include "core/Cp1252Text.h"
#include "core/DataFile.h"

namespace vtx::client {

QStringList splitItems(std::string_view bytes) {
    QStringList items;
    std::string item;
    bool open = false;  // characters or a comma seen since the last line end
    for (char c : bytes) {
        if (c == ',') {
            items.append(fromCp1252(item));
            item.clear();
            // The item after a comma exists even when the line ends at once.
            open = true;
            continue;
        }
        if (c == '\r' || c == '\n') {
            if (open) items.append(fromCp1252(item));
            item.clear();
            open = false;
            continue;
        }
        item.push_back(c);
        open = true;
    }
    if (open) items.append(fromCp1252(item));
    return items;
}

ItemsRead readItems(const QString& path) {
    std::string bytes;
    std::optional<FileFault> fault = DataFile::readChunks(path, [&](std::string_view chunk) {
        bytes.append(chunk);
        return true;
    });
    ItemsRead read;
    if (fault) {
        read.faultNumber = fault->number;
        read.faultDescription = fault->description;
        return read;
    }
    read.items = splitItems(bytes);
    return read;
}

}  // namespace vtx::client
