// kwutil bararea [--mode N] [--csv]: the reinforcement bar area table as its window shows it.
#include <iostream>

#include "Command.h"
#include "Configuration.h"
#include "TablePrinter.h"
#include "tables/BarAreaTable.h"

namespace {

void PrintCsv(const ckw::tables::BarAreaTable& table, std::ostream& out) {
    for (int r = 0; r < table.Rows(); ++r) {
        for (int c = 0; c < table.Cols(); ++c) {
            if (c) out << ',';
            out << (r == 0 && c == 0 ? kwutil::Utf8(table.RowLabel()) + "\\" + kwutil::Utf8(table.ColumnLabel())
                                     : table.Cell(r, c));
        }
        out << '\n';
    }
}

const kwutil::Command reg(
    "bararea", "Print the reinforcement bar area table (mm2)", [](CLI::App& cmd) -> kwutil::Runner {
        auto mode = std::make_shared<int>(1);
        auto csv = std::make_shared<bool>(false);
        cmd.add_option("--mode", *mode,
                       "1: areas of 1-9 bars per diameter (default); other: slab bars per metre width");
        cmd.add_flag("--csv", *csv, "comma-separated values");
        return [mode, csv] {
            ckw::tables::BarAreaTable table(*mode);
            if (*csv) {
                PrintCsv(table, std::cout);
                return 0;
            }
            std::cout << kwutil::Utf8(table.Caption()) << "\n";
            std::vector<std::string> header{kwutil::Utf8(table.RowLabel()) + "\\" + kwutil::Utf8(table.ColumnLabel())};
            for (int c = 1; c < table.Cols(); ++c) header.push_back(table.Cell(0, c));
            kwutil::TablePrinter printer(header);
            for (int r = 1; r < table.Rows(); ++r) {
                std::vector<std::string> row;
                for (int c = 0; c < table.Cols(); ++c) row.push_back(table.Cell(r, c));
                printer.Add(row);
            }
            printer.Print(std::cout);
            return 0;
        };
    });

}  // namespace
