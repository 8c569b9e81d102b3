// The opt directive and the option-name comparison it shares with section.
#pragma once
#include <string_view>

namespace tobra {

class Assembler;

// Case-insensitive; a prefix in either direction matches; one empty name never does.
bool option_name_matches(std::string_view a, std::string_view b);

void directive_opt(Assembler& as);

} // namespace tobra
