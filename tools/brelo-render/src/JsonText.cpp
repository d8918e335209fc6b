#include "JsonText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "brelo_render/TextUtil.h"

namespace Brelo {
namespace Render {

namespace {

using Json = nlohmann::ordered_json;

// Text that is not UTF-8 (a module's control names) is written with
// replacement characters rather than refused.
std::string dumped(Json const& j) { return j.dump(-1, ' ', false, Json::error_handler_t::replace); }

void write(std::string& out, Json const& j, std::size_t indent) {
  using Type = Json::value_t;
  const std::string inner(indent + 2, ' ');
  switch (j.type()) {
    case Type::object: {
      if (j.empty()) {
        out += "{}";
        return;
      }
      out += "{\n";
      bool first = true;
      for (auto const& item : j.items()) {
        out += first ? "" : ",\n";
        first = false;
        out += inner + dumped(Json(item.key())) + ": ";
        write(out, item.value(), indent + 2);
      }
      out += "\n" + std::string(indent, ' ') + "}";
      return;
    }
    case Type::array: {
      if (j.empty()) {
        out += "[]";
        return;
      }
      out += "[\n";
      for (std::size_t i = 0; i < j.size(); ++i) {
        out += (i ? ",\n" : "") + inner;
        write(out, j[i], indent + 2);
      }
      out += "\n" + std::string(indent, ' ') + "]";
      return;
    }
    case Type::number_float:
      out += shortestNumber(j.get<double>());
      return;
    default:
      out += dumped(j);
      return;
  }
}

// "line 3, column 17" of the byte offset `at`, counted as the library counts.
std::string place(std::string const& text, std::size_t at) {
  at = std::min(at, text.size());
  const std::size_t lines = std::size_t(std::count(text.begin(), text.begin() + std::ptrdiff_t(at), '\n'));
  const std::size_t lineStart = lines ? text.rfind('\n', at ? at - 1 : 0) + 1 : 0;
  return "line " + std::to_string(lines + 1) + ", column " + std::to_string(at - lineStart);
}

// Where the text first opens an array or object deeper than `maxDepth`.
std::size_t tooDeep(std::string const& text, std::size_t maxDepth) {
  std::size_t depth = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (inString) {
      if (ch == '\\') ++i;
      else if (ch == '"') inString = false;
    } else if (ch == '"') {
      inString = true;
    } else if (ch == '[' || ch == '{') {
      if (++depth > maxDepth) return i + 1;
    } else if ((ch == ']' || ch == '}') && depth > 0) {
      --depth;
    }
  }
  return text.size();
}

// The library's document builder, counting depth and keeping the place of
// the first error instead of throwing.
class Reader {
 public:
  Reader(Json& doc, std::size_t maxDepth) : m_dom(doc, false), m_maxDepth(maxDepth) {}

  bool null() { return m_dom.null(); }
  bool boolean(bool v) { return m_dom.boolean(v); }
  bool number_integer(Json::number_integer_t v) { return m_dom.number_integer(v); }
  bool number_unsigned(Json::number_unsigned_t v) { return m_dom.number_unsigned(v); }
  bool number_float(Json::number_float_t v, Json::string_t const& s) { return m_dom.number_float(v, s); }
  bool string(Json::string_t& v) { return m_dom.string(v); }
  bool binary(Json::binary_t& v) { return m_dom.binary(v); }
  bool start_object(std::size_t n) { return deeper() && m_dom.start_object(n); }
  bool key(Json::string_t& k) { return m_dom.key(k); }
  bool end_object() {
    --m_depth;
    return m_dom.end_object();
  }
  bool start_array(std::size_t n) { return deeper() && m_dom.start_array(n); }
  bool end_array() {
    --m_depth;
    return m_dom.end_array();
  }
  bool parse_error(std::size_t position, std::string const& token, nlohmann::detail::exception const& e) {
    m_position = position;
    m_token = token;
    m_id = e.id;
    m_what = e.what();
    return false;
  }

  bool tooDeep() const { return m_depth > m_maxDepth; }
  std::size_t position() const { return m_position; }
  std::string const& token() const { return m_token; }
  int id() const { return m_id; }
  std::string const& what() const { return m_what; }

 private:
  bool deeper() { return ++m_depth <= m_maxDepth; }

  nlohmann::detail::json_sax_dom_parser<Json> m_dom;
  std::size_t m_maxDepth;
  std::size_t m_depth = 0;
  std::size_t m_position = 0;
  std::string m_token;
  int m_id = 0;
  std::string m_what;
};

// The library's own number-overflow error.
constexpr int kNumberOverflow = 406;

}  // namespace

std::string shortestNumber(double v) {
  if (!std::isfinite(v)) return "null";
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

std::string jsonText(Json const& value) {
  std::string out;
  write(out, value, 0);
  return out;
}

Json readJsonText(std::string const& text, std::size_t maxDepth) {
  Json doc;
  Reader reader(doc, maxDepth);
  if (Json::sax_parse(text, &reader)) return doc;
  if (reader.tooDeep())
    throw JsonTextError("parse error at " + place(text, tooDeep(text, maxDepth)) + ": nested more than " +
                        std::to_string(maxDepth) + " levels deep");
  if (reader.id() == kNumberOverflow)
    throw JsonTextError("parse error at " + place(text, reader.position()) + ": number " +
                        excerpt(reader.token(), 40) + " is out of range");
  // "[json.exception.parse_error.101] parse error at line 3, column 5: ..."
  // The library quotes the last token read, which may be long.
  std::string const& what = reader.what();
  const std::size_t at = what.find("] ");
  throw JsonTextError(excerpt(at == std::string::npos ? what : what.substr(at + 2), 200));
}

std::string jsonExcerpt(Json const& value, std::size_t bytes) { return excerpt(dumped(value), bytes); }

}  // namespace Render
}  // namespace Brelo
