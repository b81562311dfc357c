// mkparadb SQL-FILE OUTPUT: runs the SQL text into a new database file (replacing OUTPUT only
// once the new file is complete).
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

#include "dao/SqlScript.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: mkparadb SQL-FILE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "mkparadb: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream sql;
    sql << in.rdbuf();
    try {
        ckw::dao::CreateDatabaseFromSql(sql.str(), argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "mkparadb: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
