// Whether a loaded page asks for a password: an input of type "password" in
// one of its forms or, when the page itself has none, in a form of one of
// its frames.
#pragma once

#include <windows.h>
#include <mshtml.h>

namespace kv::bho {

bool PageHasPasswordField(IHTMLDocument2* page);

}  // namespace kv::bho
