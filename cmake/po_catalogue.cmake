# cmake -DPO=translations/core_en.po -DOUT=core_catalogue_en.cpp -P po_catalogue.cmake
# Compiles a gettext catalogue into the program: one {Japanese, English} pair of C++ string literals per
# translated entry, and vantoli::englishOf looking them up. PO strings are C string literals, so their
# pieces are copied as they are. Untranslated and fuzzy entries are left out (the text stays Japanese).
cmake_minimum_required(VERSION 3.25)
file(READ "${PO}" po)
string(REPLACE ";" "<semicolon>" po "${po}")
string(REPLACE "\n" ";" lines "${po}")

set(entries "")
set(state "")
set(id "")
set(str "")
set(fuzzy OFF)
macro(flush)
  if(NOT id STREQUAL "" AND NOT id STREQUAL "\"\"" AND NOT str MATCHES "^(\"\")+$" AND NOT str STREQUAL "" AND NOT fuzzy)
    string(APPEND entries "    {${id},\n     ${str}},\n")
  endif()
  set(id "")
  set(str "")
  set(state "")
  set(fuzzy OFF)
endmacro()

foreach(line IN LISTS lines)
  if(line MATCHES "^#, .*fuzzy")
    flush()
    set(fuzzy ON)
  elseif(line MATCHES "^#~")
    # an obsolete entry
  elseif(line MATCHES "^msgid (\".*\")$")
    if(NOT state STREQUAL "")
      set(keep ${fuzzy})
      flush()
      set(fuzzy ${keep})
    endif()
    set(id "${CMAKE_MATCH_1}")
    set(state id)
  elseif(line MATCHES "^msgstr (\".*\")$")
    set(str "${CMAKE_MATCH_1}")
    set(state str)
  elseif(line MATCHES "^(\".*\")$")
    if(state STREQUAL "id")
      string(APPEND id " ${CMAKE_MATCH_1}")
    elseif(state STREQUAL "str")
      string(APPEND str " ${CMAKE_MATCH_1}")
    endif()
  elseif(line STREQUAL "")
    flush()
  endif()
endforeach()
flush()
string(REPLACE "<semicolon>" ";" entries "${entries}")

set(code "// Generated from ${PO} by cmake/po_catalogue.cmake: do not edit.
#include <string_view>
#include <unordered_map>

#include \"core/language.h\"

namespace vantoli {

namespace {

struct Entry {
    const char* japanese;
    const char* english;
};

constexpr Entry Entries[] = {
${entries}};

}  // namespace

const char* englishOf(std::string_view japanese)
{
    static const std::unordered_map<std::string_view, const char*> catalogue = [] {
        std::unordered_map<std::string_view, const char*> map;
        map.reserve(std::size(Entries));
        for (const Entry& entry : Entries) map.emplace(entry.japanese, entry.english);
        return map;
    }();
    const auto found = catalogue.find(japanese);
    return found == catalogue.end() ? nullptr : found->second;
}

}  // namespace vantoli
")
file(WRITE "${OUT}.new" "${code}")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
