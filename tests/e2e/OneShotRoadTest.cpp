// The real Sorabako.exe started with a path, as Send To starts it.
#include "e2e/ProcessRunner.h"
#include "e2e/ShellAssociations.h"
#include "platform/FileSystem.h"
#include "platform/ShellLink.h"
#include "settings/IniDocument.h"

#include <gtest/gtest.h>

#include <regex>

namespace sorabako::test {
namespace {

const auto* const kAssociations = testing::AddGlobalTestEnvironment(new ShellAssociations);

constexpr DWORD kExitTimeoutMs = 20000;

bool IsWorkName(const std::wstring& name, const std::wstring& sourceName) {
    static const std::wregex prefix(L"^\\$\\d{8}-\\d{9}-");
    return std::regex_search(name, prefix) && name.substr(20) == sourceName;
}

class OneShotRoad : public testing::Test {
protected:
    // Runs the program to its end; asserts it ended, cleanly and without a window.
    void RunToEnd(const std::wstring& arguments) {
        ChildProcess process = install.Start(arguments);
        bool showedWindow = true;
        const bool ended = process.WaitForExitWatchingWindows(kExitTimeoutMs, showedWindow);
        if (!ended) process.Terminate();
        ASSERT_TRUE(ended) << "the one-shot road did not end";
        EXPECT_EQ(process.ExitCode(), 0u);
        EXPECT_FALSE(showedWindow);
    }

    Installation install;
    ScratchFolder sources;
};

TEST_F(OneShotRoad, FileSourceGivesOneIdenticalCopyInTheTempFolderAndLaunchesIt) {
    const std::wstring source = sources / L"議事録 2026.sbtest";
    std::string bytes(70000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 3);
    WriteTextFile(source, bytes);

    RunToEnd(L"\"" + source + L"\" \"" + (sources / L"second.sbtest") + L"\"");

    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(IsWorkName(names[0], L"議事録 2026.sbtest")) << Utf8(names[0]);
    const std::wstring workPath = install.TempFolder() + L"\\" + names[0];
    EXPECT_EQ(ReadTextFile(workPath), bytes);
    EXPECT_EQ(ReadTextFile(source), bytes);

    const auto launches = install.WaitForLaunches(1, 20000);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].find(workPath), std::wstring::npos) << Utf8(launches[0]);
}

TEST_F(OneShotRoad, FolderSourceCopiesTheWholeTreeAndOpensIt) {
    const std::wstring source = sources / L"project";
    CreateFolderTree(source + L"\\src\\deep");
    WriteTextFile(source + L"\\readme.txt", "readme");
    WriteTextFile(source + L"\\src\\deep\\main.c", "int main;");
    WriteTextFile(source + L"\\.hidden", "hidden");
    ::SetFileAttributesW((source + L"\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);

    RunToEnd(L"\"" + source + L"\"");

    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    ASSERT_TRUE(IsWorkName(names[0], L"project")) << Utf8(names[0]);
    const std::wstring copy = install.TempFolder() + L"\\" + names[0];
    EXPECT_EQ(NamesIn(copy), NamesIn(source));
    EXPECT_EQ(ReadTextFile(copy + L"\\src\\deep\\main.c"), "int main;");
    EXPECT_EQ(ReadTextFile(copy + L"\\.hidden"), "hidden");

    const auto launches = install.WaitForLaunches(1, 20000);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].find(copy), std::wstring::npos) << Utf8(launches[0]);
}

TEST_F(OneShotRoad, ShortcutSourceCopiesItsTarget) {
    const std::wstring target = sources / L"budget.sbtest";
    WriteTextFile(target, "budget figures");
    const std::wstring link = sources / L"Budget.LNK";
    ASSERT_EQ(SaveShortcut(link, target), S_OK);

    RunToEnd(L"\"" + link + L"\"");

    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(IsWorkName(names[0], L"budget.sbtest")) << Utf8(names[0]);
    EXPECT_EQ(ReadTextFile(install.TempFolder() + L"\\" + names[0]), "budget figures");
}

TEST_F(OneShotRoad, NonexistentSourceEndsCleanlyAndCopiesNothing) {
    RunToEnd(L"\"" + (sources / L"no longer there.sbtest") + L"\"");
    EXPECT_TRUE(NamesIn(install.TempFolder()).empty());
}

TEST_F(OneShotRoad, RelativeSourceIsTakenFromTheCurrentFolder) {
    // The installation folder is the child's current folder.
    WriteTextFile(install / L"here.sbtest", "here");
    RunToEnd(L"here.sbtest");
    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadTextFile(install.TempFolder() + L"\\" + names[0]), "here");
}

TEST_F(OneShotRoad, TwoRunsLeaveBothSourcesInTheSettingsFileInOrder) {
    const std::wstring first = sources / L"最初.sbtest";
    const std::wstring second = sources / L"second.sbtest";
    WriteTextFile(first, "1");
    WriteTextFile(second, "2");
    RunToEnd(L"\"" + first + L"\"");
    RunToEnd(L"\"" + second + L"\"");

    const IniDocument settings = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(settings.Value(L"LOG", L"File1"), first);
    EXPECT_EQ(settings.Value(L"LOG", L"File2"), second);
    EXPECT_EQ(settings.Value(L"LOG", L"File3"), std::nullopt);
    EXPECT_EQ(settings.Value(L"MODE", L"LastFolderName"), sources.Path());
    EXPECT_EQ(settings.Value(L"PROGRAM", L"Path"), install.Folder());
    EXPECT_EQ(NamesIn(install.TempFolder()).size(), 2u);
}

}  // namespace
}  // namespace sorabako::test
