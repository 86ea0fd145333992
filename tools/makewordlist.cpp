// Builds the game's word list from a system word list (one word per line, such as Debian's
// /usr/share/dict/american-english): the words a player would take for real words, lower case
// a to z only, 1 to 8 letters, each once, sorted, with CR LF line ends.
//
// What is left out, and why:
// - Capitalised entries (proper nouns) and possessives ("cat's"): they fall out because only
//   the letters a to z are kept.
// - One-letter entries other than "a" and "i": the source lists every letter of the alphabet.
// - Entries without a vowel (a, e, i, o, u or y): nearly all are abbreviations ("cm", "lbs",
//   "mph", "tbsp"); the few real words among them are kept by name.
// - Roman numerals ("ii", "xiv", "lxvii"), except the ones that are also words ("mi", "mix",
//   "xi").
// - A short list of abbreviations, letter names and other entries that are not words a player
//   would accept ("etc", "approx", "em", "xor"), found by reading the short words of the
//   source; longer entries of the source are words.
// - The words of our own exclusion list (tools/excluded-words.txt): slurs, vulgar words and
//   jargon, each with its plural and inflected forms (see inflections()).
//
// Usage: makewordlist SOURCE EXCLUDED OUTPUT

#include <algorithm>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <string_view>

namespace {

// Real words without a vowel.
const std::set<std::string_view> VowelLessWords = {"brr", "nth", "psst", "sh"};

// Roman numerals that are words too.
const std::set<std::string_view> NumeralWords = {"mi", "mix", "xi"};

const std::set<std::string_view> NotWords = {
    // Abbreviations.
    "abbr", "acct", "adj", "adv", "advt", "alt", "amt", "approx", "assn", "assoc", "asst", "atty",
    "avdp", "avg", "awol", "ca", "cal", "chem", "comm", "conj", "cont", "contd", "corp", "cu",
    "dept", "doz", "ea", "ed", "eds", "esp", "est", "etc", "excl", "gen", "gov", "govt", "hes",
    "hoc", "hwy", "ibid", "illus", "inc", "incs", "ind", "int", "masc", "med", "meg", "mes", "min",
    "misc", "mos", "natl", "neg", "non", "nos", "obj", "oz", "poss", "pres", "pron", "ques", "recd",
    "resp", "rte", "secy", "sos", "subj", "tel", "tho", "thru", "ttys", "var", "viz", "vol", "wkly",
    "yd", "yest", "yr", "yrs",
    // Letter names.
    "em", "ems", "es",
    // Computing jargon and fillers.
    "cis", "foo", "fum", "grep", "mkay", "xor", "xref",
    // Misspellings and forms no dictionary of the language gives.
    "dded", "hos", "lept", "nite", "rehi", "tost", "weer", "yeps", "yous"};

bool isRomanNumeral(std::string_view w)
{
    // The usual form: thousands, hundreds, tens and units, each written the one accepted way.
    auto eat = [&w](std::string_view s) {
        if (w.substr(0, s.size()) == s) {
            w.remove_prefix(s.size());
            return true;
        }
        return false;
    };
    auto digit = [&](std::string_view nine, std::string_view four, char five, char one) {
        if (eat(nine) || eat(four)) {
            return;
        }
        eat(std::string_view(&five, 1));
        for (int n = 0; n < 3 && eat(std::string_view(&one, 1)); ++n) {
        }
    };
    if (w.empty()) {
        return false;
    }
    for (int n = 0; n < 3 && eat("m"); ++n) {
    }
    digit("cm", "cd", 'd', 'c');
    digit("xc", "xl", 'l', 'x');
    digit("ix", "iv", 'v', 'i');
    return w.empty();
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

// Reads the exclusion list: one word a line, with its forms, or "=word" for the word alone;
// blank lines and lines starting with # are passed over. False when the file cannot be read.
bool readExcluded(const char *path, std::set<std::string> &excluded)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '=') {
            excluded.insert(line.substr(1));
        } else {
            excluded.merge(inflections(line));
        }
    }
    return true;
}

bool acceptable(const std::string &w)
{
    if (w.empty() || w.size() > 8) {
        return false;
    }
    if (!std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        return false;
    }
    if (w.size() == 1) {
        return w == "a" || w == "i";
    }
    if (w.find_first_of("aeiouy") == std::string::npos && !VowelLessWords.contains(w)) {
        return false;
    }
    if (isRomanNumeral(w) && !NumeralWords.contains(w)) {
        return false;
    }
    return !NotWords.contains(w);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: makewordlist SOURCE EXCLUDED OUTPUT\n";
        return 2;
    }
    std::set<std::string> excluded;
    if (!readExcluded(argv[2], excluded)) {
        std::cerr << "makewordlist: cannot read " << argv[2] << "\n";
        return 1;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "makewordlist: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::set<std::string> words;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (acceptable(line) && !excluded.contains(line)) {
            words.insert(line);
        }
    }
    if (words.empty()) {
        std::cerr << "makewordlist: no words in " << argv[1] << "\n";
        return 1;
    }
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    for (const auto &w : words) {
        out << w << "\r\n";
    }
    out.close();
    if (!out) {
        std::cerr << "makewordlist: cannot write " << argv[3] << "\n";
        return 1;
    }
    std::cout << "makewordlist: " << words.size() << " words\n";
    return 0;
}
