// Identifiers of the program's resources, shared by the resource scripts and
// the code.
#pragma once

// Icons
#define IDI_KELVANDOR 128
#define IDI_LOCKED 296

// Dialog templates
#define IDD_EDITOR 138

// Version
#define KELVANDOR_VERSION_NUMBERS 1, 0, 0, 0
#define KELVANDOR_VERSION_TEXT "1.0.0.0"
