// Text between the library's UTF-16 and PostgreSQL's UTF-8. PostgreSQL text cannot hold a NUL
// character, and UTF-8 has no form for a UTF-16 surrogate without its pair: such a text is
// refused (DbError UnstorableText), never changed on the way.
#pragma once

#include <string>
#include <string_view>

namespace nubex::pg {

std::string ToServerText(std::u16string_view text);
// UTF-8 as it comes from a file or a caller: refused when it holds a NUL.
std::string_view CheckedServerText(std::string_view utf8);
std::u16string FromServerText(std::string_view utf8);

}  // namespace nubex::pg
