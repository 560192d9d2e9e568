#include "plugin_table_bench.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

#include "common/win/platform_services.h"
#include "common/win/wide.h"
#include "image/plugin_table.h"
#include "image/win/plugin_scanner.h"
#include "options/win/association_registry.h"
#include "options/win/config_dialog.h"
#include "statistics.h"
#include "stopwatch.h"

namespace nerula::bench {
namespace {

constexpr int kCounts[] = {10, 25, 50};

// A folder of copies named p000.sph, p001.sph, … (the suffix is the plug-in's own).
std::wstring MakeCopies(const std::wstring& folder, const std::wstring& plugin, int count) {
    const std::wstring suffix = plugin.substr(plugin.rfind(L'.'));
    const std::wstring copies = folder + L"\\plugins" + std::to_wstring(count);
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(copies.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"\\p%03d", i);
        if (!CopyFileW(plugin.c_str(), (copies + name + suffix).c_str(), FALSE)) {
            throw std::runtime_error("CopyFileW failed, error " + std::to_string(GetLastError()));
        }
    }
    return copies;
}

double BuildOnce(const std::wstring& copies, int count) {
    PluginTable table;
    const Stopwatch watch;
    BuildPluginTable(table, ToU16(copies));
    const double elapsed = watch.Milliseconds();
    // Two built-in lines and one per copy: every copy was loaded and accepted.
    if (table.Lines().size() != static_cast<std::size_t>(count) + 2) {
        throw std::runtime_error("the plug-in table misses copies");
    }
    return elapsed;
}

// The main window as far as the dialog needs it: the table it rebuilds is a real one.
class TableOwner final : public ViewerOptionsTarget {
public:
    const std::u16string& PluginPath() const noexcept override { return path_; }
    void SetPluginPath(const std::u16string& folder) override { path_ = folder; }
    void InitPlugins(std::u16string_view folder) override { BuildPluginTable(table_, folder); }
    const PluginTable& Plugins() const noexcept override { return table_; }
    std::int32_t TabWidth() const noexcept override { return 8; }
    void SetTabWidth(std::int32_t) override {}
    TextFont& ViewerFont() noexcept override { return font_; }
    void SetViewerFont(const TextFont&) override {}

private:
    std::u16string path_;
    PluginTable table_;
    TextFont font_{L"Tahoma", -11};
};

// Extension keys in the user's classes, as a registry with many file types has them, each
// a text type, so that every one becomes a row; removed again when this goes.
class ExtensionKeys {
public:
    explicit ExtensionKeys(int count) : count_(count) {
        for (int i = 0; i < count_; ++i) {
            const std::wstring name = Name(i);
            const std::wstring progId = L"nrbench" + std::to_wstring(i) + L"file";
            RegSetKeyValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + name).c_str(), nullptr, REG_SZ,
                            progId.c_str(), static_cast<DWORD>((progId.size() + 1) * sizeof(wchar_t)));
            RegSetKeyValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + name).c_str(), L"PerceivedType",
                            REG_SZ, L"text", 5 * sizeof(wchar_t));
        }
    }
    ~ExtensionKeys() {
        for (int i = 0; i < count_; ++i) {
            RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + Name(i)).c_str());
        }
    }
    ExtensionKeys(const ExtensionKeys&) = delete;
    ExtensionKeys& operator=(const ExtensionKeys&) = delete;

private:
    static std::wstring Name(int i) { return L".nrbench" + std::to_wstring(i); }
    int count_;
};

double Keystroke(HWND edit, wchar_t key) {
    const Stopwatch watch;
    SendMessageW(edit, WM_CHAR, key, 0);
    return watch.Milliseconds();
}

} // namespace

void RunFolderKeystrokeBench(const std::wstring& folder, const std::wstring& plugin, int repetitions) {
    constexpr int kCount = 50;
    constexpr int kExtensionKeys = 2000;
    const std::wstring copies = MakeCopies(folder, plugin, kCount);
    const ExtensionKeys keys(kExtensionKeys);
    TableOwner owner;
    TConfigDialog dialog(owner, SystemPlatformServices());
    dialog.Create(nullptr);
    const HWND edit = dialog.Control(u"PluginPathEdt");
    // All but the last character; the keystroke completes the folder's name.
    const wchar_t last = copies.back();
    SetWindowTextW(edit, copies.substr(0, copies.size() - 1).c_str());
    SendMessageW(edit, EM_SETSEL, copies.size(), copies.size());
    {
        // The registry's part alone, for the rows without the list view.
        AssociationRows rows([](std::u16string_view text) { return std::u16string(text); });
        const Stopwatch watch;
        BuildAssociationRows(rows, owner.Plugins());
        std::printf("%-40s %9.2f ms  (%zu rows)\n", "the rows alone", watch.Milliseconds(), rows.Rows().size());
    }
    std::vector<double> typed;
    std::vector<double> erased;
    for (int round = 0; round <= repetitions; ++round) {
        const double type = Keystroke(edit, last);
        if (owner.Plugins().Lines().size() != static_cast<std::size_t>(kCount) + 2) {
            throw std::runtime_error("the keystroke did not build the table of the folder's plug-ins");
        }
        const double erase = Keystroke(edit, L'\b');
        if (round > 0) { // the first round brings the files into the cache
            typed.push_back(type);
            erased.push_back(erase);
        }
    }
    std::printf(
        "A keystroke in the Options dialog's plug-in folder, which rebuilds the table and the association\n"
        "list (%d extension keys in the user's classes), median of %d (goal < 100 ms)\n",
        kExtensionKeys, repetitions);
    std::printf("%-40s %9.2f ms  %s\n", "typed: the folder of 50 plug-ins", Median(typed),
                Median(typed) < 100.0 ? "" : "MISSED");
    std::printf("%-40s %9.2f ms  (worst %.2f ms)\n", "taken back: a folder that does not exist",
                Median(erased), *std::max_element(erased.begin(), erased.end()));
}

void RunPluginTableBench(const std::wstring& folder, const std::wstring& plugin, int repetitions) {
    std::vector<std::wstring> copies;
    for (const int count : kCounts) {
        copies.push_back(MakeCopies(folder, plugin, count));
    }
    std::vector<std::vector<double>> samples(copies.size());
    for (std::size_t i = 0; i < copies.size(); ++i) {
        BuildOnce(copies[i], kCounts[i]); // unmeasured: the files come into the cache
    }
    for (int round = 0; round < repetitions; ++round) {
        for (std::size_t i = 0; i < copies.size(); ++i) {
            samples[i].push_back(BuildOnce(copies[i], kCounts[i]));
        }
    }
    std::printf("Building the plug-in table, median of %d interleaved runs\n", repetitions);
    std::printf("%-22s %9s %12s\n", "plug-ins", "ms/build", "ms/plug-in");
    std::vector<double> perPlugin;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const double build = Median(samples[i]);
        perPlugin.push_back(build / kCounts[i]);
        std::printf("%-22d %9.2f %12.3f\n", kCounts[i], build, perPlugin.back());
    }
    const auto [least, most] = std::minmax_element(perPlugin.begin(), perPlugin.end());
    // Within a third of each other counts as linear: the per-plug-in cost is a load and
    // two calls, and nothing in the scan should grow with the folder.
    std::printf("%-22s %9s %12.2f  %s\n", "largest/smallest", "", *most / *least,
                *most / *least < 1.33 ? "linear" : "NOT linear");
}

} // namespace nerula::bench
