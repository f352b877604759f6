#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "ui/tableexport.h"

namespace zm {

class MainForm;

// What the ways out of the window (copy, CSV, pictures, print) need of the
// program: the names offered, today's date for a report, and the writing of
// the files, which the main form does. The main window owns it and hands it
// to the pages.
class DataExport {
public:
    explicit DataExport(MainForm& form) : form_(form) {}

    // The name offered for a table's or a chart's file: its title and today.
    std::string fileName(std::string_view title, std::string_view extension) const;
    // Today, as the report's date.
    std::string today() const;
    // Writes the file whole, or tells the user why and keeps the old one.
    bool save(const std::filesystem::path& path, std::string_view bytes);
    bool saveCsv(const std::filesystem::path& path, const OutTable& table);

private:
    MainForm& form_;
};

}  // namespace zm
