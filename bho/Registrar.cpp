#include "bho/Registrar.h"

namespace kv::registration {
namespace {

struct RootKey {
    HKEY handle;
    std::string path;  // under `handle`, with a trailing backslash or empty
};

RootKey RootOf(const std::string& root) {
    if (root == "HKCR") return {HKEY_CURRENT_USER, std::string(kUserClasses) + "\\"};
    return {HKEY_LOCAL_MACHINE, ""};
}

class Writer {
public:
    HRESULT Apply(const ScriptRoot& root) {
        const RootKey base = RootOf(root.root);
        for (const ScriptKey& key : root.keys) Write(base.handle, base.path + key.name, key);
        return result_;
    }

    HRESULT Undo(const ScriptRoot& root) {
        const RootKey base = RootOf(root.root);
        for (const ScriptKey& key : root.keys) Remove(base.handle, base.path + key.name, key);
        return result_;
    }

private:
    void Write(HKEY root, const std::string& path, const ScriptKey& key) {
        if (key.forceRemove) RegDeleteTreeA(root, path.c_str());
        HKEY opened = nullptr;
        const LONG created = RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened, nullptr);
        if (created != ERROR_SUCCESS) {
            Fail(created);
            return;
        }
        if (key.defaultValue) SetValue(opened, *key.defaultValue);
        for (const ScriptValue& value : key.values) SetValue(opened, value);
        RegCloseKey(opened);
        for (const ScriptKey& subkey : key.subkeys) Write(root, path + "\\" + subkey.name, subkey);
    }

    void SetValue(HKEY key, const ScriptValue& value) {
        const char* name = value.name.empty() ? nullptr : value.name.c_str();
        const LONG set = value.isNumber
                             ? RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number),
                                              sizeof value.number)
                             : RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                                              static_cast<DWORD>(value.text.size() + 1));
        if (set != ERROR_SUCCESS) Fail(set);
    }

    // A key of its own goes whole; one that stays loses what the script put in it.
    void Remove(HKEY root, const std::string& path, const ScriptKey& key) {
        if (!key.noRemove) {
            const LONG deleted = RegDeleteTreeA(root, path.c_str());
            if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) Fail(deleted);
            return;
        }
        for (const ScriptKey& subkey : key.subkeys) Remove(root, path + "\\" + subkey.name, subkey);
        if (key.values.empty()) return;
        HKEY opened = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
        for (const ScriptValue& value : key.values) {
            const LONG deleted = RegDeleteValueA(opened, value.name.c_str());
            if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) Fail(deleted);
        }
        RegCloseKey(opened);
    }

    void Fail(LONG error) {
        if (result_ == S_OK) result_ = HRESULT_FROM_WIN32(static_cast<DWORD>(error));
    }

    HRESULT result_ = S_OK;
};

template <class Step>
HRESULT EachRoot(const ParsedScript& script, Step step) {
    HRESULT result = S_OK;
    for (const ScriptRoot& root : script.roots) {
        Writer writer;
        const HRESULT done = step(writer, root);
        if (done != S_OK && result == S_OK) result = done;
    }
    return result;
}

}  // namespace

HRESULT ApplyScript(const ParsedScript& script) {
    return EachRoot(script, [](Writer& writer, const ScriptRoot& root) { return writer.Apply(root); });
}

HRESULT UndoScript(const ParsedScript& script) {
    return EachRoot(script, [](Writer& writer, const ScriptRoot& root) { return writer.Undo(root); });
}

}  // namespace kv::registration
