#include "settings/IniDocument.h"
#include "settings/ProfileInteger.h"
#include "settings/SettingsPath.h"
#include "shellext/HelpFile.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace sorabako {
namespace {

TEST(ProfileInteger, AcceptsDecimalAndTheThreeHexPrefixes) {
    EXPECT_EQ(ParseProfileInteger(L"0x1F"), 31);
    EXPECT_EQ(ParseProfileInteger(L"$1f"), 31);
    EXPECT_EQ(ParseProfileInteger(L"x1f"), 31);
    EXPECT_EQ(ParseProfileInteger(L"0X1f"), 31);
    EXPECT_EQ(ParseProfileInteger(L"-12"), -12);
    EXPECT_EQ(ParseProfileInteger(L"  +7"), 7);
    EXPECT_EQ(ParseProfileInteger(L"$FFFFFFFF"), -1);
    EXPECT_EQ(ParseProfileInteger(L"-$1"), -1);
    EXPECT_EQ(ParseProfileInteger(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseProfileInteger(L"-2147483648"), INT32_MIN);
}

TEST(ProfileInteger, RejectsEverythingElse) {
    for (const wchar_t* bad : {L"12abc", L"abc", L"", L" ", L"-", L"0x", L"$", L"2147483648", L"-2147483649",
                               L"$100000000", L"1 2", L"yes", L"12 ", L"0x1G", L"$g1"})
        EXPECT_EQ(ParseProfileInteger(bad), std::nullopt) << testing::PrintToString(std::wstring(bad));
}

TEST(IniDocumentParse, DropsCommentsAndStrayLinesAndMergesRepeatedSections) {
    const IniDocument document = IniDocument::Parse(
        L"stray=before any section\r\n; comment\r\n[Other]\r\n a = 1 \r\nplain line\r\n\r\n"
        L"[log]\nFile1=C:\\a=b\\c.txt\r[OTHER]\r\nb=2\r\n[ Empty ]\r\n",
        IniEncoding::Ansi);
    ASSERT_EQ(document.Sections().size(), 3u);
    EXPECT_EQ(document.Sections()[0].name, L"Other");
    EXPECT_EQ(document.Value(L"other", L"A"), std::wstring(L"1"));
    EXPECT_EQ(document.Value(L"Other", L"b"), std::wstring(L"2"));
    EXPECT_EQ(document.Value(L"LOG", L"file1"), std::wstring(L"C:\\a=b\\c.txt"));
    EXPECT_EQ(document.Sections()[2].name, L"Empty");
    EXPECT_EQ(document.Text(),
              L"[Other]\r\na=1\r\nplain line\r\nb=2\r\n\r\n[log]\r\nFile1=C:\\a=b\\c.txt\r\n\r\n[Empty]\r\n\r\n");
}

TEST(IniDocumentEdit, SetKeepsTheKeyTextAndEraseRemovesWholeSections) {
    IniDocument document = IniDocument::Parse(L"[MODE]\r\nsamefolder=0\r\n[KEEP]\r\nx=1\r\n", IniEncoding::Ansi);
    document.SetFlag(L"Mode", L"SameFolder", true);
    document.SetInteger(L"POSITION", L"Left", -5);
    document.SetText(L"MODE", L"LastFolderName", L"");
    EXPECT_EQ(document.Text(),
              L"[MODE]\r\nsamefolder=1\r\nLastFolderName=\r\n\r\n[KEEP]\r\nx=1\r\n\r\n[POSITION]\r\nLeft=-5\r\n\r\n");
    document.EraseSection(L"mode");
    document.EraseSection(L"ABSENT");
    EXPECT_EQ(document.Text(), L"[KEEP]\r\nx=1\r\n\r\n[POSITION]\r\nLeft=-5\r\n\r\n");
}

TEST(IniText, EncodingsKeepTheirMarks) {
    const std::wstring text = L"[LOG]\r\nFile1=C:\\資料\\a.txt\r\n\r\n";
    for (IniEncoding encoding : {IniEncoding::Utf8, IniEncoding::Utf16LE, IniEncoding::Utf16BE}) {
        const std::string bytes = EncodeIniText(text, encoding);
        const DecodedIni decoded = DecodeIniBytes(bytes);
        EXPECT_EQ(decoded.encoding, encoding);
        EXPECT_EQ(decoded.text, text);
    }
    EXPECT_EQ(EncodeIniText(L"[A]", IniEncoding::Utf8).substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(EncodeIniText(L"[A]", IniEncoding::Utf16LE).substr(0, 4), std::string("\xFF\xFE[\0", 4));
    EXPECT_EQ(EncodeIniText(L"[A]", IniEncoding::Utf16BE).substr(0, 4), std::string("\xFE\xFF\0[", 4));
    EXPECT_EQ(EncodeIniText(L"[A]\r\n", IniEncoding::Ansi), "[A]\r\n");
    EXPECT_EQ(DecodeIniBytes("[A]").encoding, IniEncoding::Ansi);
}

TEST(IniText, AnsiTextTheCodePageCannotHoldIsWrittenAsUtf16) {
    // U+00E9 is missing from code page 932 and U+3042 from 1252; U+2603 from both.
    const std::wstring lost = L"File1=C:\\\x2603.txt";
    EXPECT_EQ(EffectiveEncoding(lost, IniEncoding::Ansi), IniEncoding::Utf16LE);
    EXPECT_EQ(DecodeIniBytes(EncodeIniText(lost, IniEncoding::Ansi)).text, lost);
    EXPECT_EQ(EffectiveEncoding(L"File1=C:\\a.txt", IniEncoding::Ansi), IniEncoding::Ansi);
    if (::GetACP() == 932) {
        EXPECT_EQ(EffectiveEncoding(L"C:\\資料", IniEncoding::Ansi), IniEncoding::Ansi);
        EXPECT_EQ(EncodeIniText(L"資", IniEncoding::Ansi), "\x8E\x91");
    }
    EXPECT_EQ(EffectiveEncoding(lost, IniEncoding::Utf8), IniEncoding::Utf8);
}

TEST(SettingsPath, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(SettingsFilePath(L"C:\\Tools\\Sorabako.exe"), L"C:\\Tools\\Sorabako.ini");
    EXPECT_EQ(SettingsFilePath(L"C:\\Tools.d\\my.tool.exe"), L"C:\\Tools.d\\my.tool.ini");
    EXPECT_EQ(SettingsFilePath(L"C:\\Tools.d\\Sorabako"), L"C:\\Tools.d\\Sorabako.ini");
    EXPECT_EQ(FolderWithoutDelimiter(L"C:\\Tools\\Sorabako.exe"), L"C:\\Tools");
    EXPECT_EQ(FolderWithoutDelimiter(L"C:\\Sorabako.exe"), L"C:\\");
}

TEST(HelpFile, ReplacesTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(HelpFilePath(L"C:\\Tools\\Sorabako.exe"), L"C:\\Tools\\Sorabako.chm");
    EXPECT_EQ(HelpFilePath(L"C:\\Tools.d\\Sorabako"), L"C:\\Tools.d\\Sorabako.chm");
}

}  // namespace
}  // namespace sorabako
