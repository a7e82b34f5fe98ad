// A registration script: registry keys under the roots HKCR and HKLM, each
// with an optional default value, named values and subkeys. A key marked
// NoRemove stays when the script is undone (only what the script added inside
// it goes); a key marked ForceRemove is deleted whole before it is written.
//
//     HKCR { NoRemove CLSID { ForceRemove {guid} = s 'Name' { val Model = s 'Apartment' } } }
//
// Values are texts (s) or numbers (d); "%MODULE%" in a text becomes the
// module's path. Names with blanks or braces are quoted with '.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::registration {

struct ScriptValue {
    std::string name;  // empty: the key's default value
    bool isNumber = false;
    std::string text;
    std::uint32_t number = 0;
};

struct ScriptKey {
    std::string name;
    bool noRemove = false;
    bool forceRemove = false;
    std::optional<ScriptValue> defaultValue;
    std::vector<ScriptValue> values;
    std::vector<ScriptKey> subkeys;
};

struct ScriptRoot {
    std::string root;  // "HKCR" or "HKLM"
    std::vector<ScriptKey> keys;
};

struct ParsedScript {
    std::vector<ScriptRoot> roots;
    std::string error;  // empty when the script was read whole
};

// Reads the script, with every "%MODULE%" replaced by `modulePath`.
ParsedScript ParseScript(std::string_view script, std::string_view modulePath);

}  // namespace kv::registration
