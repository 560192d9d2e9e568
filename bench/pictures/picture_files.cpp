#include "picture_files.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

#include "common/win/unique_handle.h"
#include "ntp_format.h"

namespace nerula::bench {
namespace {

void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + " failed, error " + std::to_string(GetLastError()));
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

class OutputFile {
public:
    explicit OutputFile(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr)) {
        if (!file_) {
            Fail("CreateFileW");
        }
    }

    void Write(const std::vector<std::uint8_t>& bytes) {
        DWORD written = 0;
        if (!WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            Fail("WriteFile");
        }
    }

private:
    FileHandle file_;
};

// A row that changes along both axes, so that no stage can shortcut a flat picture.
std::vector<std::uint8_t> Row(int y, std::size_t stride) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < kPictureWidth; ++x) {
        const std::size_t at = static_cast<std::size_t>(x) * 3;
        row[at] = static_cast<std::uint8_t>(x);
        row[at + 1] = static_cast<std::uint8_t>(y);
        row[at + 2] = static_cast<std::uint8_t>(x ^ y);
    }
    return row;
}

// Rows bottom-up, as both formats store a picture with a positive height.
void WriteRows(OutputFile& file, std::size_t stride) {
    for (int y = kPictureHeight - 1; y >= 0; --y) {
        file.Write(Row(y, stride));
    }
}

void WriteBmp(const std::wstring& path) {
    const std::size_t stride = static_cast<std::size_t>(ntp::RowStride(kPictureWidth, 24));
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride * kPictureHeight);
    std::vector<std::uint8_t> header;
    header.push_back('B');
    header.push_back('M');
    PutLittleEndian(header, 14 + 40 + pixelBytes, 4);
    PutLittleEndian(header, 0, 4);
    PutLittleEndian(header, 14 + 40, 4);
    PutLittleEndian(header, 40, 4);
    PutLittleEndian(header, kPictureWidth, 4);
    PutLittleEndian(header, kPictureHeight, 4);
    PutLittleEndian(header, 1, 2);  // planes
    PutLittleEndian(header, 24, 2); // bits per pixel
    PutLittleEndian(header, 0, 4);  // BI_RGB
    PutLittleEndian(header, pixelBytes, 4);
    for (int i = 0; i < 4; ++i) {
        PutLittleEndian(header, 0, 4); // densities, colours used and important
    }
    OutputFile file(path);
    file.Write(header);
    WriteRows(file, stride);
}

void WriteNtp(const std::wstring& path) {
    std::vector<std::uint8_t> header(ntp::kMagic.begin(), ntp::kMagic.end());
    PutLittleEndian(header, kPictureWidth, 4);
    PutLittleEndian(header, kPictureHeight, 4);
    PutLittleEndian(header, 24, 2);
    PutLittleEndian(header, 0, 2);
    OutputFile file(path);
    file.Write(header);
    WriteRows(file, static_cast<std::size_t>(ntp::RowStride(kPictureWidth, 24)));
}

} // namespace

PictureFiles PictureFilesIn(const std::wstring& folder) {
    return {folder + L"\\picture.bmp", folder + L"\\picture.ntp", folder + L"\\plugin"};
}

void WritePictureFiles(const std::wstring& folder, const std::wstring& ntpPlugin) {
    const PictureFiles files = PictureFilesIn(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(files.pluginFolder.c_str(), nullptr);
    const std::wstring copy = files.pluginFolder + ntpPlugin.substr(ntpPlugin.find_last_of(L"\\/"));
    if (!CopyFileW(ntpPlugin.c_str(), copy.c_str(), FALSE)) {
        Fail("CopyFileW");
    }
    WriteBmp(files.bmp);
    WriteNtp(files.ntp);
}

} // namespace nerula::bench
