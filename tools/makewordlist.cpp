// Builds the game's word list from SCOWL, the word lists behind Debian's spelling dictionaries
// (package scowl, /usr/share/dict/scowl): the words a player would take for real words, lower
// case a to z only, 2 to 8 letters plus "a" and "i", each once, sorted, with CR LF line ends.
//
// Which SCOWL files are read, and why:
// - english-words, american-words, british-words and variant_1-words of sizes 10 to 60: the
//   words of everyday English in both spellings ("color", "colour") and their common variants
//   ("cosy"); the sizes past 60 bring rare, obsolete and technical words.
// - variant_2-words up to size 35: the few less accepted spellings that everyone writes
//   ("donut", "snuck"); its larger sizes hold spellings dictionaries call wrong.
// The other kinds are never read: abbreviations, contractions, proper names, words with
// capitals, hacker jargon and Roman numerals stay out that way.
//
// What is changed, left out and added:
// - Accents are folded ("café" to "cafe", "æ" to "ae"); a word with any other character
//   (a capital, an apostrophe, a letter of another alphabet) is left out.
// - One-letter words other than "a" and "i" are left out.
// - Our exclusion list (tools/excluded-words.txt): slurs and vulgar words with their forms
//   (see inflections()), and vulgar roots wherever they stand in a word, but for the innocent
//   words listed that hold one.
// - Our everyday list (tools/everyday-words.txt) is added: words a player uses every day that
//   SCOWL files only as abbreviations or jargon ("app", "bot").
//
// Every file is read as UTF-8; a line that is not valid UTF-8 stops the program, naming the
// file and the line.
//
// Usage: makewordlist SCOWL-FOLDER EXCLUDED EVERYDAY OUTPUT

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Kind
{
    std::string_view name;
    int largestSize;
};
constexpr Kind KindsRead[] = {{"english-words", 60},
                              {"american-words", 60},
                              {"british-words", 60},
                              {"variant_1-words", 60},
                              {"variant_2-words", 35}};
constexpr int Sizes[] = {10, 20, 35, 40, 50, 55, 60};

// What the lower-case letters from U+00DF to U+00FF fold to; "÷" is no letter and stays.
constexpr std::string_view LatinFolds[] = {
    "ss",                                     // ß
    "a",  "a", "a", "a", "a", "a", "ae", "c", // à á â ã ä å æ ç
    "e",  "e", "e", "e", "i", "i", "i",  "i", // è é ê ë ì í î ï
    "d",  "n", "o", "o", "o", "o", "o",  "",  // ð ñ ò ó ô õ ö ÷
    "o",  "u", "u", "u", "u", "y", "th", "y", // ø ù ú û ü ý þ ÿ
};

std::string_view foldedLetter(char32_t c)
{
    if (c >= 0xDF && c <= 0xFF) {
        return LatinFolds[c - 0xDF];
    }
    if (c == 0x153) { // œ
        return "oe";
    }
    return {};
}

// The text with its accented lower-case letters folded to a to z; every other character
// stays as it was. Nothing when the text is not valid UTF-8.
std::optional<std::string> folded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        char32_t c = lead;
        if (lead >= 0x80) {
            if (lead >= 0xC2 && lead <= 0xDF) {
                length = 2;
            } else if (lead >= 0xE0 && lead <= 0xEF) {
                length = 3;
            } else if (lead >= 0xF0 && lead <= 0xF4) {
                length = 4;
            } else {
                return std::nullopt; // a continuation byte, or a lead no character has
            }
            if (i + length > text.size()) {
                return std::nullopt;
            }
            c = lead & (0x7F >> length);
            for (std::size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) {
                    return std::nullopt;
                }
                c = (c << 6) | (next & 0x3F);
            }
            // Overlong forms, surrogates and numbers past Unicode's last character.
            const char32_t smallest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
            if (c < smallest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
                return std::nullopt;
            }
        }
        const std::string_view letters = foldedLetter(c);
        if (letters.empty()) {
            out += text.substr(i, length);
        } else {
            out += letters;
        }
        i += length;
    }
    return out;
}

// Calls use(line) for every line of the file, folded, with its CR LF or LF taken off. False,
// with the reason told, when the file cannot be read or a line is not UTF-8.
template <typename Use> bool readLines(const std::string &path, Use use)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "makewordlist: cannot read " << path << "\n";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::optional<std::string> text = folded(line);
        if (!text) {
            std::cerr << "makewordlist: " << path << ":" << number << ": not UTF-8 text\n";
            return false;
        }
        use(*text);
    }
    if (in.bad()) {
        std::cerr << "makewordlist: cannot read " << path << "\n";
        return false;
    }
    return true;
}

// Our own lists: one entry a line; blank lines and lines starting with # are passed over.
template <typename Use> bool readList(const std::string &path, Use use)
{
    return readLines(path, [&use](const std::string &line) {
        if (!line.empty() && line.front() != '#') {
            use(line);
        }
    });
}

bool isVowel(char c)
{
    return std::string_view("aeiou").find(c) != std::string_view::npos;
}

// The word and the forms English builds from it with an ending: -s or -es, -ed, -ing, -er,
// -ers, -est. Only whole endings are added, so "tit" takes "title" with it no more than "gyp"
// takes "gypsum". The spelling rules give more than one form where English is not regular:
// a final consonant may be doubled ("fagged") or not ("pwned"); a final e is dropped before
// a vowel ("dyking", "dyked"); a final y after a consonant turns to i ("shittier"); a final c
// takes a k ("picnicked"), so that "spiced" is not read as an ending on "spic".
std::set<std::string> inflections(const std::string &base)
{
    std::set<std::string> forms = {base};
    if (base.empty()) {
        return forms;
    }
    const char last = base.back();
    forms.insert(base + "s");
    if (std::string_view("sxzo").find(last) != std::string_view::npos || base.ends_with("ch") ||
        base.ends_with("sh")) {
        forms.insert(base + "es");
    }
    auto addEndings = [&forms](const std::string &stem) {
        for (const char *ending : {"ed", "ing", "er", "ers", "est"}) {
            forms.insert(stem + ending);
        }
    };
    if (last == 'e') {
        addEndings(base.substr(0, base.size() - 1));
    } else if (last == 'y' && base.size() > 1 && !isVowel(base[base.size() - 2])) {
        const std::string stem = base.substr(0, base.size() - 1);
        forms.insert(stem + "ies");
        forms.insert(base + "ing");
        addEndings(stem + "i");
    } else if (last == 'c') {
        addEndings(base + "k");
    } else {
        addEndings(base);
        if (!isVowel(last)) {
            addEndings(base + last);
        }
    }
    return forms;
}

// The exclusion list. Its lines: "word" leaves out the word with its forms, "=word" the word
// alone, "*root" every word that holds the root anywhere, and "+word" keeps the word and its
// forms although they hold a root.
struct Exclusions
{
    std::set<std::string> words;
    std::vector<std::string> roots;
    std::set<std::string> innocent;

    void add(const std::string &line)
    {
        const std::string word = line.substr(1);
        switch (line.front()) {
        case '=':
            words.insert(word);
            break;
        case '*':
            roots.push_back(word);
            break;
        case '+':
            innocent.merge(inflections(word));
            break;
        default:
            words.merge(inflections(line));
            break;
        }
    }

    bool leaveOut(const std::string &w) const
    {
        if (words.contains(w)) {
            return true;
        }
        if (innocent.contains(w)) {
            return false;
        }
        return std::any_of(roots.begin(), roots.end(), [&w](const std::string &root) {
            return w.find(root) != std::string::npos;
        });
    }
};

bool acceptable(const std::string &w)
{
    if (w.empty() || w.size() > 8) {
        return false;
    }
    if (!std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return false;
    }
    return w.size() > 1 || w == "a" || w == "i";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::cerr << "usage: makewordlist SCOWL-FOLDER EXCLUDED EVERYDAY OUTPUT\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    Exclusions exclusions;
    if (!readList(argv[2], [&](const std::string &line) { exclusions.add(line); })) {
        return 1;
    }
    std::set<std::string> words;
    auto take = [&](const std::string &w) {
        if (acceptable(w) && !exclusions.leaveOut(w)) {
            words.insert(w);
        }
    };
    int filesRead = 0;
    for (const Kind &kind : KindsRead) {
        for (const int size : Sizes) {
            const std::filesystem::path file =
                folder / (std::string(kind.name) + "." + std::to_string(size));
            if (size > kind.largestSize || !std::filesystem::exists(file)) {
                continue;
            }
            if (!readLines(file, take)) {
                return 1;
            }
            ++filesRead;
        }
    }
    if (filesRead == 0) {
        std::cerr << "makewordlist: no SCOWL word lists in " << argv[1] << "\n";
        return 1;
    }
    // Our everyday words must be words the game can take: a typing error is told, not dropped.
    bool everydayWords = true;
    auto takeEveryday = [&](const std::string &w) {
        if (!acceptable(w)) {
            std::cerr << "makewordlist: " << argv[3] << ": \"" << w
                      << "\" is not a word of 2 to 8 letters a to z\n";
            everydayWords = false;
        }
        take(w);
    };
    if (!readList(argv[3], takeEveryday) || !everydayWords) {
        return 1;
    }
    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    for (const auto &w : words) {
        out << w << "\r\n";
    }
    out.close();
    if (!out) {
        std::cerr << "makewordlist: cannot write " << argv[4] << "\n";
        return 1;
    }
    std::cout << "makewordlist: " << words.size() << " words from " << filesRead
              << " SCOWL files\n";
    return 0;
}
