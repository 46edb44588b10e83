// Test helper: looks through bytes for card numbers in every form a reader
// could turn back into the number: the digits as they are, grouped by four
// or one by one with blanks, dashes or dots between them, packed two digits
// to a byte; each of those also shift-enciphered with any key 0-255 (the
// wire's cipher, whatever port named the key), and written as hexadecimal
// text, upper or lower case, of the plain or enciphered bytes (the hex
// digits of a file are read as one run, so blanks or line breaks between
// the pairs of a dump hide nothing).
//
// Thread-safety: const member functions may be called from any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vtx::audit {

// One readable card number found.
struct CardLeak {
    std::string card;   // the number looked for
    std::string form;   // "plain", "blank per 4", "packed", ...
    int key = 0;        // shift cipher key that gives it back; 0 for none
    bool hex = false;   // found in the bytes that the hex digits stand for
    size_t offset = 0;  // where, in the bytes searched (or in the hex digits)

    std::string describe() const;
};

class CardLeakSearch {
public:
    // `cards`: card numbers, digits only.
    explicit CardLeakSearch(std::vector<std::string> cards);

    // Every (card, form, key, hex) that occurs in `bytes`, with its first
    // offset; empty when no card can be read from them.
    std::vector<CardLeak> findIn(std::string_view bytes) const;

    // The forms looked for of one card, named, in plain (before any cipher
    // or hex): what findIn() searches the deciphered bytes for.
    static std::vector<std::pair<std::string, std::string>> formsOf(const std::string& card);

private:
    void searchView(std::string_view view, bool hex, std::vector<CardLeak>& found) const;

    struct Form {
        std::string card;
        std::string name;
        std::string bytes;
    };
    std::vector<Form> forms_;
};

}  // namespace vtx::audit
