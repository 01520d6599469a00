// Generated settings files, with fixed seeds: ten thousand odd ones parse and
// survive a write and a read alike, and files generated from a known content
// give exactly that content to the parser and, once written, to the profile
// reader that loading uses.
#include "settings/IniDocument.h"
#include "settings/ProfileReader.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <random>

namespace sorabako {
namespace {

class IniGenerator {
public:
    explicit IniGenerator(unsigned seed) : random_(seed) {}

    std::string File() {
        std::wstring text;
        const int lines = Pick(0, 40);
        for (int i = 0; i < lines; ++i) text += Line() + LineBreak();
        const IniEncoding encoding = static_cast<IniEncoding>(Pick(0, 3));
        std::string bytes = EncodeIniText(text, encoding);
        if (encoding == IniEncoding::Ansi && Pick(0, 3) == 0) {
            for (int i = Pick(1, 5); i > 0; --i)
                bytes.insert(bytes.begin() + Pick(0, static_cast<int>(bytes.size())), static_cast<char>(Pick(0x80, 0xFF)));
        }
        return bytes;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::wstring LineBreak() {
        static const wchar_t* breaks[] = {L"\r\n", L"\n", L"\r"};
        return breaks[Pick(0, 2)];
    }

    std::wstring Word(int maxLength) {
        static const std::wstring alphabet = L"abcXYZ019 _.\\:$-=[];資料ファイル\t";
        std::wstring word;
        for (int i = Pick(0, maxLength); i > 0; --i) word += alphabet[Pick(0, static_cast<int>(alphabet.size()) - 1)];
        return word;
    }

    std::wstring Line() {
        switch (Pick(0, 9)) {
            case 0: return L"[" + Word(8) + L"]";
            case 1: return L"  [ " + std::wstring(Pick(0, 1) ? L"LOG" : L"log") + L" ]  ";
            case 2: return L"; " + Word(20);
            case 3: return L"";
            case 4: return Word(10);
            case 5: return L"File" + std::to_wstring(Pick(0, 20)) + L"=" + std::wstring(Pick(2000, 3000), L'v');
            default: return Word(12) + std::wstring(Pick(0, 2), L' ') + L"=" + std::wstring(Pick(0, 2), L' ') + Word(40);
        }
    }

    std::mt19937 random_;
};

bool SameDocument(const IniDocument& a, const IniDocument& b) {
    if (a.Sections().size() != b.Sections().size()) return false;
    for (std::size_t s = 0; s < a.Sections().size(); ++s) {
        const IniSection& x = a.Sections()[s];
        const IniSection& y = b.Sections()[s];
        if (x.name != y.name || x.lines.size() != y.lines.size()) return false;
        for (std::size_t l = 0; l < x.lines.size(); ++l) {
            if (x.lines[l].isEntry != y.lines[l].isEntry || x.lines[l].key != y.lines[l].key ||
                x.lines[l].value != y.lines[l].value)
                return false;
        }
    }
    return true;
}

TEST(IniFuzz, TenThousandGeneratedFilesSurviveAWriteAndRead) {
    IniGenerator generator(20261209);
    for (int i = 0; i < 10000; ++i) {
        const std::string original = generator.File();
        const DecodedIni decoded = DecodeIniBytes(original);
        IniDocument document = IniDocument::Parse(decoded.text, decoded.encoding);
        document.SetText(L"PROGRAM", L"Version", L"V2.1");

        const std::string written = document.Bytes();
        const DecodedIni again = DecodeIniBytes(written);
        ASSERT_EQ(again.encoding, EffectiveEncoding(document.Text(), decoded.encoding)) << "file " << i;
        ASSERT_TRUE(SameDocument(document, IniDocument::Parse(again.text, again.encoding))) << "file " << i;
        ASSERT_EQ(again.text.substr(again.text.size() - 4), L"\r\n\r\n") << "file " << i;
    }
}

// What a generated file holds, as its generator meant it: sections in order,
// each with its entries in order (keys unique within a section).
struct Content {
    std::vector<std::pair<std::wstring, std::vector<std::pair<std::wstring, std::wstring>>>> sections;
};

// Writes a known content in the many ways a hand-edited file may look:
// blanks around names and "=", any line break, comments, blank lines, stray
// lines before the first section, a section repeated in another case, values
// holding "=", ";" and brackets, and values on both sides of 2047 characters.
class ContentGenerator {
public:
    explicit ContentGenerator(unsigned seed) : random_(seed) {}

    Content Make() {
        Content content;
        const int sections = Pick(1, 4);
        for (int s = 0; s < sections; ++s) {
            std::vector<std::pair<std::wstring, std::wstring>> entries;
            const int count = Pick(0, 12);
            for (int e = 0; e < count; ++e) entries.emplace_back(L"Key" + std::to_wstring(e) + Text(L"abcXYZ_", 0, 4), Value());
            content.sections.emplace_back(L"S" + std::to_wstring(s) + Text(L"abcXYZ_ 資料", 0, 5) + L"x", entries);
        }
        return content;
    }

    std::wstring Render(const Content& content) {
        std::wstring text;
        if (Pick(0, 1)) text += L"stray=before any section" + Break();
        for (const auto& [name, entries] : content.sections) {
            // Entries may be split between the section and a repetition of it in other letter case.
            const std::size_t split = Pick(0, static_cast<int>(entries.size()));
            text += Blanks() + L"[" + Blanks() + name + Blanks() + L"]" + Blanks() + Break();
            for (std::size_t e = 0; e < entries.size(); ++e) {
                if (e == split && split > 0) text += L"[" + Lowered(name) + L"]" + Break();
                if (Pick(0, 4) == 0) text += L"; " + Text(L"ab=[]; ", 0, 10) + Break();
                if (Pick(0, 4) == 0) text += Blanks() + Break();
                text += Blanks() + entries[e].first + Blanks() + L"=" + Blanks() + entries[e].second + Blanks() + Break();
            }
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::wstring Text(const std::wstring& alphabet, int low, int high) {
        std::wstring text;
        for (int i = Pick(low, high); i > 0; --i) text += alphabet[Pick(0, static_cast<int>(alphabet.size()) - 1)];
        return text;
    }
    // No blank at either end (the line's blanks are not the value's) and no
    // opening quote (the profile reader takes quotes off).
    std::wstring Value() {
        const int length = Pick(0, 9) == 0 ? Pick(2040, 2060) : Pick(0, 60);
        if (length == 0) return {};
        std::wstring value = Text(L"C:\\\\ab=;[]._-09資料ファイル\t ", length - 1, length - 1);
        return L"v" + value.substr(0, value.find_last_not_of(L"\t ") + 1);
    }
    std::wstring Blanks() { return Text(L" \t", 0, 2); }
    std::wstring Break() {
        static const wchar_t* breaks[] = {L"\r\n", L"\n", L"\r"};
        return breaks[Pick(0, 2)];
    }
    static std::wstring Lowered(std::wstring text) {
        for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
        return text;
    }

    std::mt19937 random_;
};

TEST(IniFuzz, GeneratedContentReachesTheParserAndTheProfileReaderWhole) {
    ContentGenerator generator(20261210);
    test::ScratchFolder scratch;
    const std::wstring path = scratch / L"generated.ini";
    for (int i = 0; i < 400; ++i) {
        const Content content = generator.Make();
        const IniEncoding encoding = static_cast<IniEncoding>(i % 4);
        const DecodedIni decoded = DecodeIniBytes(EncodeIniText(generator.Render(content), encoding));
        const IniDocument document = IniDocument::Parse(decoded.text, decoded.encoding);

        ASSERT_EQ(document.Sections().size(), content.sections.size()) << "file " << i;
        test::WriteTextFile(path, document.Bytes());
        const ProfileReader reader(path);
        for (std::size_t s = 0; s < content.sections.size(); ++s) {
            const auto& [name, entries] = content.sections[s];
            const IniSection& parsed = document.Sections()[s];
            ASSERT_EQ(parsed.name, name) << "file " << i;
            ASSERT_EQ(parsed.lines.size(), entries.size()) << "file " << i << " [" << test::Utf8(name) << "]";
            std::vector<std::wstring> keys, values;
            for (std::size_t e = 0; e < entries.size(); ++e) {
                ASSERT_EQ(parsed.lines[e].key, entries[e].first) << "file " << i;
                ASSERT_EQ(parsed.lines[e].value, entries[e].second) << "file " << i;
                keys.push_back(entries[e].first);
                values.push_back(entries[e].second.substr(0, 2047));  // the reader's limit
            }
            const ProfileSection read = reader.ReadSection(name);
            ASSERT_EQ(read.Values(), values) << "file " << i;
            for (std::size_t e = 0; e < keys.size(); ++e) ASSERT_EQ(read.ReadText(keys[e]), values[e]) << "file " << i;
        }
    }
}

}  // namespace
}  // namespace sorabako
