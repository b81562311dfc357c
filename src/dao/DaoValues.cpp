// Field values of the DAO layer: variants, Jet field types of declared column types, and the
// conversions between SQLite's storage classes and the variant a field of a type holds.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "dao/DaoSqlite.h"
#include "base/GbkText.h"

namespace ckw::dao {
namespace {

template <typename T>
std::string Shortest(T v) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

std::optional<int32_t> ToInt32(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    double r = std::nearbyint(v);
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(r);
}

bool IsLongLike(int type) { return type == dbLong || type == dbInteger || type == dbByte || type == dbBoolean; }

}  // namespace

Variant Variant::Text(std::string gbk) {
    Variant v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(gbk);
    return v;
}

Variant Variant::Single(float value) {
    Variant v;
    v.m_kind = Kind::Single;
    v.m_number = value;
    return v;
}

Variant Variant::Long(int32_t value) {
    Variant v;
    v.m_kind = Kind::Long;
    v.m_number = value;
    return v;
}

Variant Variant::Double(double value) {
    Variant v;
    v.m_kind = Kind::Double;
    v.m_number = value;
    return v;
}

std::string Variant::AsText() const {
    switch (m_kind) {
    case Kind::Null:
        return {};
    case Kind::Text:
        return m_text;
    case Kind::Single:
        return Shortest(static_cast<float>(m_number));
    case Kind::Long:
        return std::to_string(static_cast<int32_t>(m_number));
    case Kind::Double:
        return Shortest(m_number);
    }
    return {};
}

double Variant::AsDouble() const {
    if (m_kind == Kind::Text) return text::ParseWholeNumber(m_text).value_or(0.0);
    return m_number;
}

float Variant::AsSingle() const { return static_cast<float>(AsDouble()); }

int32_t Variant::AsLong() const { return ToInt32(AsDouble()).value_or(0); }

bool Variant::operator==(const Variant& other) const {
    if (m_kind != other.m_kind) return false;
    if (m_kind == Kind::Text) return m_text == other.m_text;
    return m_kind == Kind::Null || m_number == other.m_number;
}

DaoException::DaoException(long code, std::string descriptionGbk)
    : std::runtime_error("database error " + std::to_string(code) + ": " + text::GbkToUtf8(descriptionGbk)),
      m_code(code),
      m_description(std::move(descriptionGbk)) {}

namespace detail {

int FieldTypeFromDeclared(std::string_view declared) {
    std::string upper = text::ToUpper(declared);
    size_t b = upper.find_first_not_of(' ');
    if (b == std::string::npos) return 0;
    std::string word = upper.substr(b, upper.find_first_of(" (", b) - b);
    struct Name {
        std::string_view name;
        int type;
    };
    static constexpr Name kNames[] = {
        {"TEXT", dbText},         {"VARCHAR", dbText},      {"CHAR", dbText},          {"NVARCHAR", dbText},
        {"NCHAR", dbText},        {"CHARACTER", dbText},    {"STRING", dbText},        {"ALPHANUMERIC", dbText},
        {"MEMO", dbMemo},         {"LONGTEXT", dbMemo},     {"LONGCHAR", dbMemo},      {"NOTE", dbMemo},
        {"CLOB", dbMemo},         {"SINGLE", dbSingle},     {"REAL4", dbSingle},       {"FLOAT4", dbSingle},
        {"IEEESINGLE", dbSingle}, {"LONG", dbLong},         {"INTEGER", dbLong},       {"INT", dbLong},
        {"INT4", dbLong},         {"COUNTER", dbLong},      {"AUTOINCREMENT", dbLong}, {"SHORT", dbInteger},
        {"SMALLINT", dbInteger},  {"INTEGER2", dbInteger},  {"INT2", dbInteger},       {"BYTE", dbByte},
        {"TINYINT", dbByte},      {"INTEGER1", dbByte},     {"DOUBLE", dbDouble},      {"FLOAT", dbDouble},
        {"REAL", dbDouble},       {"FLOAT8", dbDouble},     {"NUMBER", dbDouble},      {"NUMERIC", dbDouble},
        {"DECIMAL", dbDouble},    {"IEEEDOUBLE", dbDouble}, {"BIT", dbBoolean},        {"BOOLEAN", dbBoolean},
        {"YESNO", dbBoolean},     {"LOGICAL", dbBoolean},   {"CURRENCY", dbCurrency},  {"MONEY", dbCurrency},
        {"DATE", dbDate},         {"DATETIME", dbDate},     {"TIME", dbDate},          {"TIMESTAMP", dbDate},
    };
    for (const auto& n : kNames)
        if (word == n.name) return n.type;
    // Other names: the way SQLite itself derives a column's affinity from its declared type.
    if (upper.find("INT") != std::string::npos) return dbLong;
    if (upper.find("REAL") != std::string::npos || upper.find("FLOA") != std::string::npos ||
        upper.find("DOUB") != std::string::npos)
        return dbDouble;
    return dbText;
}

int FieldTypeFromValue(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return dbLong;
    case SQLITE_FLOAT:
        return dbDouble;
    default:
        return dbText;
    }
}

Variant ReadValue(sqlite3_value* value, int fieldType) {
    int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL) return {};
    auto asText = [&] {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(value));
        return Variant::Text(text::Utf8ToGbk(std::string_view(p ? p : "", sqlite3_value_bytes(value))));
    };
    if (fieldType == dbText || fieldType == dbMemo || fieldType == 0) return asText();

    // A numeric field: SQLite keeps whatever was stored, so a value that is not a number stays
    // text and a number that does not fit the field's type keeps its full value.
    std::optional<double> number;
    if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
        number = sqlite3_value_double(value);
    else
        number = text::ParseWholeNumber(reinterpret_cast<const char*>(sqlite3_value_text(value)));
    if (!number) return asText();
    if (fieldType == dbSingle) return Variant::Single(static_cast<float>(*number));
    if (IsLongLike(fieldType)) {
        if (storage == SQLITE_INTEGER) {
            int64_t i = sqlite3_value_int64(value);
            if (i >= std::numeric_limits<int32_t>::min() && i <= std::numeric_limits<int32_t>::max())
                return Variant::Long(static_cast<int32_t>(i));
            return Variant::Double(static_cast<double>(i));
        }
        auto whole = ToInt32(*number);
        if (whole && *whole == *number) return Variant::Long(*whole);
        return Variant::Double(*number);
    }
    return Variant::Double(*number);
}

double StoredSingle(float v) {
    if (!std::isfinite(v)) return v;
    std::string s = Shortest(v);
    double d = 0;
    std::from_chars(s.data(), s.data() + s.size(), d);
    return d;
}

Variant CoerceToField(const Variant& value, int fieldType) {
    if (value.IsNull()) return value;
    if (fieldType == dbText || fieldType == dbMemo) return Variant::Text(value.AsText());
    bool numeric = fieldType == dbSingle || fieldType == dbDouble || fieldType == dbCurrency || IsLongLike(fieldType);
    if (!numeric) return value;

    std::optional<double> number = value.kind() == Variant::Kind::Text ? text::ParseWholeNumber(value.AsText())
                                                                       : std::optional<double>(value.AsDouble());
    auto fail = [&] {
        return DaoException(kErrConversion, "数据类型转换错误: '" + value.AsText() + "' 不能存入这个字段。");
    };
    if (!number) throw fail();
    if (fieldType == dbSingle) {
        float f = static_cast<float>(*number);
        if (std::isfinite(*number) && !std::isfinite(f)) throw fail();
        return Variant::Single(f);
    }
    if (IsLongLike(fieldType)) {
        auto whole = ToInt32(*number);
        if (!whole) throw fail();
        return Variant::Long(*whole);
    }
    return Variant::Double(*number);
}

}  // namespace detail
}  // namespace ckw::dao
