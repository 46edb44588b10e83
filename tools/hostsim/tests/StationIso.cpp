#include "StationIso.h"

#include <map>

namespace vtx::hostsim::test {

int stationBitOf(std::string_view group) {
    static const std::map<std::string_view, int> kBits = {
        {"001", 11}, {"002", 44}, {"009", 39}, {"011", 3},  {"012", 37}, {"022", 13}, {"023", 12},
        {"028", 60}, {"029", 61}, {"030", 62}, {"040", 32}, {"900", 60}, {"901", 60}, {"902", 63},
        {"903", 63}, {"904", 63}, {"905", 63}, {"906", 63}, {"909", 63}, {"910", 63}, {"911", 63},
        {"912", 63}, {"914", 63}, {"919", 63}, {"920", 63}, {"940", 40}, {"941", 41}, {"942", 42},
        {"949", 48}, {"953", 55}, {"990", 63}};
    auto it = kBits.find(group);
    return it == kBits.end() ? 0 : it->second;
}

std::string_view stationFormatOf(int bit) {
    static const std::map<int, std::string_view> kFormats = {
        {3, "06"},  {11, "06"}, {12, "06"}, {13, "04"}, {32, "2L"}, {37, "12"},
        {39, "02"}, {40, "03"}, {41, "08"}, {42, "15"}, {44, "2L"}, {48, "3L"},
        {55, "3L"}, {60, "3L"}, {61, "3L"}, {62, "3L"}, {63, "3L"}};
    auto it = kFormats.find(bit);
    return it == kFormats.end() ? "??" : it->second;
}

bool stationBitIsNumeric(int bit) {
    return bit == 3 || bit == 11 || bit == 12 || bit == 13 || bit == 41;
}

}  // namespace vtx::hostsim::test
