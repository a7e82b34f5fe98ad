// Help: the user guide shipped beside the program ("Kelvandor.html") and the
// project's support page, opened in the system's browser.
#pragma once

#include <functional>
#include <string>

namespace kv {

// The guide's file beside the running program.
std::string UserGuidePath();

// Opens the guide; says so when it is missing or cannot be opened.
void OpenUserGuide();
// Opens the project's support page.
void OpenSupportPage();

// While set, documents go to the opener instead of the system; it returns
// whether the document opened.
using DocumentOpener = std::function<bool(const std::string& document)>;
void SetDocumentOpener(DocumentOpener opener);

}  // namespace kv
