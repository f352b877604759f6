#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zm {

class Clock;
class DataFolder;

// The CSV files the command line writes: one per data file of records (the
// name of the data file with ".csv"), then the daily and the monthly history.
// Each holds what the page's table shows, in the format of a table saved from
// the window. The data folder is only read: a missing ledger counts as empty
// and is not created. `out` is made when missing; it may be neither the data
// folder nor a folder inside it. Every data file is read before anything is
// written; the files are written all or none, and none through a symbolic
// link (store/outfiles.h). The first failure is a FileError naming the file.
// Returns the names written, in order.
std::vector<std::string> exportCsvFiles(const DataFolder& data, const std::filesystem::path& out,
                                        const Clock& clock);

}  // namespace zm
