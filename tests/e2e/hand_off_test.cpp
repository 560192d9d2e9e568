// Several files on the command line: the first opens in the started process, and each
// further one in a new process of the program, with its path intact.

#include <algorithm>
#include <set>

#include "desktop_windows.h"
#include "e2e_options.h"
#include "e2e_test.h"
#include "message_box.h"
#include "wait.h"

namespace nerula::e2e {
namespace {

class HandOffTest : public E2eTest {};

TEST_F(HandOffTest, EveryFurtherFileOpensInANewProcess) {
    const std::wstring a = folder.Write(L"a.txt", "a\r\n");
    const std::wstring b = folder.Write(L"b.txt", "b\r\n");
    const std::wstring c = folder.Write(L"c.txt", "c\r\n");
    const std::size_t formsBefore = MainForms().size();

    const NerulaProcess& nerula = Start(Quoted(a) + L" " + Quoted(b) + L" " + Quoted(c));
    ASSERT_TRUE(WaitFor([&] { return MainForms().size() >= formsBefore + 3; }, 10s))
        << "main windows: " << MainForms().size() - formsBefore << " new, 3 expected";
    // Give a stray fourth window the chance to show itself.
    Sleep(300);
    const auto forms = MainForms();
    EXPECT_EQ(forms.size(), formsBefore + 3);

    std::set<DWORD> owners;
    for (const HWND form : forms) {
        owners.insert(ProcessOf(form));
    }
    EXPECT_EQ(owners.count(nerula.Id()), 1u);
    const auto fresh = guard.NewProcesses();
    EXPECT_EQ(fresh.size(), 3u) << "the started process and one new process for each further file";
    for (const DWORD id : fresh) {
        EXPECT_EQ(MainForms(id).size(), 1u) << "process " << id;
        EXPECT_EQ(FindMessageBox(id), nullptr) << "process " << id << " shows a box";
    }

    for (const DWORD id : fresh) {
        EXPECT_TRUE(CloseProcess(id)) << "process " << id << " did not end on WM_CLOSE";
    }
    EXPECT_EQ(MainForms().size(), formsBefore);
}

TEST_F(HandOffTest, HandedOffPathsArriveWhole) {
    // Missing files make each new process name the path it was given in an error box.
    const std::wstring a = folder.Write(L"a.txt", "a\r\n");
    const std::vector<std::wstring> handedOff = {folder.Path() + L"\\with two  spaces.txt",
                                                 folder.Path() + L"\\日本語 の名前.txt"};

    const NerulaProcess& nerula =
        Start(Quoted(a) + L" " + Quoted(handedOff[0]) + L" " + Quoted(handedOff[1]));
    std::vector<MessageBoxView> boxes;
    WaitFor(
        [&] {
            boxes.clear();
            for (const DWORD id : guard.NewProcesses()) {
                if (id == nerula.Id()) {
                    continue;
                }
                if (const HWND box = FindMessageBox(id); box != nullptr) {
                    boxes.push_back(ReadMessageBox(box));
                }
            }
            return boxes.size() >= handedOff.size();
        },
        10s);
    ASSERT_EQ(boxes.size(), handedOff.size()) << "error boxes from new processes";
    EXPECT_EQ(FindMessageBox(nerula.Id()), nullptr) << "the first file should have opened";

    std::wstring shown;
    for (const MessageBoxView& box : boxes) {
        shown += L"\n  [" + box.caption + L"] " + box.text;
    }
    for (const std::wstring& path : handedOff) {
        const auto named = std::count_if(boxes.begin(), boxes.end(), [&](const MessageBoxView& box) {
            return SaysCannotOpen(box.text, path, ERROR_FILE_NOT_FOUND) && box.caption == ApplicationTitle();
        });
        EXPECT_EQ(named, 1) << "no box of a new process names " << Utf8(path) << "\nboxes:" << Utf8(shown);
    }

    for (const MessageBoxView& box : boxes) {
        PressOk(box.window);
    }
}

} // namespace
} // namespace nerula::e2e
