#pragma once
// Table operations of the user-library upgrade. Each runs in one transaction on the user
// library: a failure leaves the table as it was.
#include <string>

namespace ckw::dao {
class Database;
}

namespace ckw::drawpara {

// Replaces a table of the user library (target) by the system library's (source). 1/0.
int CopyTableFromSourceToTarget(ckw::dao::Database& source, ckw::dao::Database& target, const std::string& table);
// Replaces a table by the system library's and carries the user's values over, matched by key. 1/0.
int ModifyCommonTable(ckw::dao::Database& source, ckw::dao::Database& target, const std::string& table);

}  // namespace ckw::drawpara
