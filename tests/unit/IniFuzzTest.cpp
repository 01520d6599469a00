// Ten thousand generated settings files, with a fixed seed: every one parses,
// and a written file read back gives the same sections and entries.
#include "settings/IniDocument.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace sorabako
