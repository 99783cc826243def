// A SELECT text with the literals of its conditions taken out as parameters, as a server's
// simple parameterization does: the module's texts differ only in the ids and file types they
// compare, so one prepared statement of the shape serves them all and SQLite parses each shape
// once instead of every text.
//
// Only literals whose place as a parameter cannot change the statement's meaning leave the
// text: integers and strings in WHERE, ON and HAVING (and subqueries under them). A literal in
// a result column stays, since it names the column; so do those of ORDER BY and GROUP BY (a
// number there is a column), LIMIT, VALUES, table arguments, the pattern of LIKE, GLOB, MATCH
// and REGEXP (SQLite plans a literal pattern as an index range, a bound one by a fresh prepare
// whenever its value changes) and a string where the grammar takes a name (COLLATE, AS, a
// qualifier). A text with parameters of its own, more than one statement or a token SQLite
// would refuse is not shaped at all: it is prepared as it stands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qvclient {

struct ShapeLiteral {
    enum class Kind { Integer, Text };
    Kind kind;
    int64_t integer;
    std::string_view quoted; // a text's body as written, its quotes still doubled
    // The text's value: the body with each doubled quote made one.
    std::string Text() const;
};

class StatementShape {
public:
    // Shapes the UTF-8 text: false when it is to be prepared as it stands (nothing to take
    // out, or a text the shape leaves alone). The literals view the text given, which must
    // outlive their use.
    bool Make(std::string_view sql);

    const std::string& Text() const { return m_text; }
    const std::vector<ShapeLiteral>& Literals() const { return m_literals; }

private:
    std::string m_text;
    std::vector<ShapeLiteral> m_literals;
};

} // namespace qvclient
