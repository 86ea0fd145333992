// Builds the game's word list from a system word list (one word per line, such as Debian's
// /usr/share/dict/american-english): lower-case words of the letters a to z, 1 to 8 letters
// long (of the one-letter words only "a" and "i"), each once, sorted, with CR LF line ends.
// Capitalised entries (proper nouns) and possessives fall out by the letter rule.
//
// Usage: makewordlist SOURCE OUTPUT

#include <algorithm>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

namespace {

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
    if (argc != 3) {
        std::cerr << "usage: makewordlist SOURCE OUTPUT\n";
        return 2;
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
        if (acceptable(line)) {
            words.insert(line);
        }
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    for (const auto &w : words) {
        out << w << "\r\n";
    }
    out.close();
    if (!out) {
        std::cerr << "makewordlist: cannot write " << argv[2] << "\n";
        return 1;
    }
    std::cout << "makewordlist: " << words.size() << " words\n";
    return 0;
}
