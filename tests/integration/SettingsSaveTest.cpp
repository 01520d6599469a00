// Saves of the real main window where the disk makes them hard: a folder that
// takes no new files, a file that cannot be written, a drive that fills up,
// and a reader looking at the file while it is being saved. Wine, run as
// root, creates files anywhere and has no full drive, so the failing steps
// are set at the file-system seam (SetFileWriteFaults); everything else is
// real: files, the form, its close and its error report.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "platform/FileSystem.h"
#include "settings/IniDocument.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/TForm1Probe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sorabako {
namespace {

using test::NamesIn;
using test::ReadTextFile;
using test::WriteTextFile;

class ScopedFaults {
public:
    explicit ScopedFaults(FileWriteFaults faults) { SetFileWriteFaults(std::move(faults)); }
    ~ScopedFaults() { SetFileWriteFaults({}); }
    ScopedFaults(const ScopedFaults&) = delete;
    ScopedFaults& operator=(const ScopedFaults&) = delete;
};

// What another program sees: opened with every sharing, so it never blocks a save.
std::string ReadAsAnotherProgram(const std::wstring& path) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return "<cannot open: " + std::to_string(::GetLastError()) + ">";
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
    return bytes;
}

class SettingsSave : public testing::Test {
protected:
    void SetUp() override {
        DrainQueueSawQuit();
        SetApplicationTitle(L"ソラバコ");
        WriteTextFile(ini, original);
        form = std::make_unique<TForm1>(platform, FormOptions{L"", std::nullopt, LocalTimeNow, ini});
        form->Create(::GetModuleHandleW(nullptr));
        TForm1Probe{*form}.History().RecordSource(L"C:\\new.txt");
    }
    void TearDown() override {
        form.reset();
        DrainQueueSawQuit();
    }

    void Close() { ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0); }
    bool AcceptsDrops() const { return ::GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES; }
    // The save failed as a whole: reported once, the window open and still taking drops.
    // Its assertion on the report is fatal: call it through ASSERT_NO_FATAL_FAILURE.
    void ExpectRefused(const std::wstring& report) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text.substr(0, report.size()), report) << test::Utf8(platform.messages[0].text);
        EXPECT_TRUE(::IsWindow(form->Handle()));
        EXPECT_TRUE(AcceptsDrops());
    }

    test::ScratchFolder scratch;
    std::wstring ini = scratch / L"Sorabako.ini";
    const std::string original = "[LOG]\r\nFile1=C:\\old.txt\r\n";
    test::ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;
};

TEST_F(SettingsSave, AFolderThatTakesNoNewFilesGetsTheFileWrittenInPlaceAndLeftoversGo) {
    // A leftover of an interrupted save of this file, and names that only look alike.
    const std::vector<std::wstring> others = {L"Sorabako.ini.~notes.tmp", L"sbk1A2B.tmp", L"Other.ini.~0000beef.tmp",
                                              L"Sorabako.ini.~0000beef.tmp.bak"};
    // Every edge of the hex digits, in both cases.
    WriteTextFile(scratch / L"Sorabako.ini.~09afAF00.tmp", "[LOG]\r\nFile1=C:\\half");
    for (const std::wstring& name : others) WriteTextFile(scratch / name, "keep");

    ScopedFaults faults(FileWriteFaults{ERROR_ACCESS_DENIED, SIZE_MAX, {}});
    Close();
    EXPECT_TRUE(platform.messages.empty()) << test::Utf8(platform.messages.at(0).text);
    EXPECT_FALSE(::IsWindow(form->Handle()));
    const IniDocument saved = IniDocument::Open(ini);
    EXPECT_EQ(saved.Value(L"LOG", L"File1"), std::wstring(L"C:\\old.txt"));
    EXPECT_EQ(saved.Value(L"LOG", L"File2"), std::wstring(L"C:\\new.txt"));
    std::vector<std::wstring> expected = others;
    expected.push_back(L"Sorabako.ini");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(scratch.Path()), expected);
}

TEST_F(SettingsSave, WhenTheFileCannotBeWrittenInPlaceEitherTheSaveIsRefused) {
    ScopedFaults faults(FileWriteFaults{ERROR_ACCESS_DENIED, SIZE_MAX, {}});
    {
        // Another program reads the file and lets nobody write it.
        UniqueFileHandle reader(::CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                              nullptr));
        ASSERT_TRUE(reader);
        Close();
        ASSERT_NO_FATAL_FAILURE(ExpectRefused(L"Cannot create file \"" + ini + L"\". "));
    }
    EXPECT_EQ(ReadTextFile(ini), original);
    EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::wstring>{L"Sorabako.ini"});

    Close();  // the next attempt saves
    EXPECT_FALSE(::IsWindow(form->Handle()));
    EXPECT_EQ(IniDocument::Open(ini).Value(L"LOG", L"File2"), std::wstring(L"C:\\new.txt"));
}

TEST_F(SettingsSave, ADriveThatFillsUpKeepsTheOldFileWhole) {
    {
        FileWriteFaults full;
        full.bytesUntilFull = 20;
        ScopedFaults faults(std::move(full));
        Close();
        ASSERT_NO_FATAL_FAILURE(ExpectRefused(L"Stream write error"));
        EXPECT_EQ(platform.messages[0].text, L"Stream write error.");
        EXPECT_EQ(ReadTextFile(ini), original);
        EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::wstring>{L"Sorabako.ini"});
    }
    platform.messages.clear();
    // Too full even for the temporary file: writing in place would lose the old file.
    ScopedFaults faults(FileWriteFaults{ERROR_DISK_FULL, SIZE_MAX, {}});
    Close();
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(L"Cannot create file \"" + ini + L"\". "));
    EXPECT_EQ(ReadTextFile(ini), original);
}

TEST_F(SettingsSave, AReaderDuringManySavesSeesOnlyWholeFiles) {
    TForm1Probe probe{*form};
    std::string before = ReadTextFile(ini);
    int looks = 0;
    std::vector<std::string> partial;
    FileWriteFaults watching;
    watching.beforeEachWrite = [&] {
        ++looks;
        const std::string seen = ReadAsAnotherProgram(ini);
        if (seen != before) partial.push_back(seen);
    };
    ScopedFaults faults(std::move(watching));
    for (int save = 1; save <= 40; ++save) {
        probe.History().RecordSource(L"C:\\save " + std::to_wstring(save) + L".txt");
        probe.SaveSettings();
        const std::string after = ReadTextFile(ini);
        ASSERT_NE(after, before) << "save " << save;
        ASSERT_EQ(IniDocument::Open(ini).Value(L"LOG", L"File" + std::to_wstring(save + 2)),
                  L"C:\\save " + std::to_wstring(save) + L".txt");
        before = after;
    }
    EXPECT_GE(looks, 40);
    EXPECT_TRUE(partial.empty()) << partial.size() << " looks saw a part, first: " << partial.front();
    EXPECT_EQ(NamesIn(scratch.Path()), std::vector<std::wstring>{L"Sorabako.ini"});
}

}  // namespace
}  // namespace sorabako
