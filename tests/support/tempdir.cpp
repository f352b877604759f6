#include "support/tempdir.h"

#include <stdlib.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace zm::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zumeri-test-XXXXXX").native();
    if (!::mkdtemp(tmpl.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(std::string_view name, std::string_view bytes) const {
    // A fixture that cannot put its file in place must stop the test, never
    // let it go on over a folder that lacks the file.
    std::ofstream out(path_ / std::string(name), std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("fixture cannot create " + std::string(name));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("fixture cannot write " + std::string(name));
}

std::string TempDir::read(std::string_view name) const {
    std::ifstream in(path_ / std::string(name), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + std::string(name));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zm::test
