#pragma once
// Reading the SQL texts the DAO layer has to understand itself: the Jet statements the library
// runs ("SELECT * INTO", "DROP TABLE") and whether a query reads exactly one table (so that its
// rows can be edited). Text is UTF-8, where no byte of a multibyte character looks like ASCII.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ckw::dao::detail {

// "name" with embedded quotes doubled: safe as an identifier whatever the name holds.
std::string QuoteIdentifier(std::string_view nameUtf8);

// "SELECT * INTO [db].[t] FROM [db].[t]" or "SELECT * INTO [t] FROM [t]" (mixed forms too).
// An empty database part means the database the statement runs on.
struct SelectInto {
    std::string targetDb, targetTable, sourceDb, sourceTable;
};
std::optional<SelectInto> ParseSelectInto(std::string_view sqlUtf8);

// "DROP TABLE name": the name is all the text after the keywords, unwrapped when it is one
// bracketed or quoted name, so a name with blanks or quotes drops that table and nothing else.
struct DropTable {
    std::string table;
    bool ifExists = false;
};
std::optional<DropTable> ParseDropTable(std::string_view sqlUtf8);

// A SELECT that reads one table of the main database without joins, grouping or compound
// parts; selectListAt is the byte offset where its select list starts.
struct SingleTableSelect {
    std::string table;
    size_t selectListAt = 0;
};
std::optional<SingleTableSelect> ParseSingleTableSelect(std::string_view sqlUtf8);

}  // namespace ckw::dao::detail
