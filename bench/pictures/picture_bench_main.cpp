// The picture benchmarks, one program with a command for each step of bench/pictures/run.sh:
//   picture_bench make FOLDER NTP_PLUGIN        write the test picture as BMP and NTP
//   picture_bench open FOLDER REPETITIONS       time Nerula's opening against the baseline
//   picture_bench peak FOLDER baseline|bmp|ntp  open once and print the peak memory
//   picture_bench tables FOLDER NTP_PLUGIN REPETITIONS
//   picture_bench keys FOLDER NTP_PLUGIN REPETITIONS      time a keystroke in the Options
//                                                dialog's plug-in folder
//                                                time building the plug-in table

#include <cstdio>
#include <exception>
#include <string>

#include "common/exception.h"
#include "common/win/wide.h"
#include "open_bench.h"
#include "picture_files.h"
#include "plugin_table_bench.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: picture_bench make|open|peak|tables|keys FOLDER ...\n");
    return 2;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::wstring command = argv[1];
    const std::wstring folder = argv[2];
    if (command == L"make" && argc == 4) {
        nerula::bench::WritePictureFiles(folder, argv[3]);
    } else if (command == L"open" && argc == 4) {
        nerula::bench::RunOpenBench(folder, std::stoi(argv[3]));
    } else if (command == L"peak" && argc == 4) {
        nerula::bench::RunPeakMemory(folder, argv[3]);
    } else if (command == L"tables" && argc == 5) {
        nerula::bench::RunPluginTableBench(folder, argv[3], std::stoi(argv[4]));
    } else if (command == L"keys" && argc == 5) {
        nerula::bench::RunFolderKeystrokeBench(folder, argv[3], std::stoi(argv[4]));
    } else {
        return Usage();
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return Run(argc, argv);
    } catch (const nerula::Exception& error) {
        std::fprintf(stderr, "picture_bench: %ls\n", nerula::ToWide(error.Message()).c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "picture_bench: %s\n", error.what());
    }
    return 1;
}
