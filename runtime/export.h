// What leaves a Mundor library. Every library is built with hidden symbols (the build's default),
// so that only its intended interface is visible to hosts and to the other libraries; mark
// exactly that interface with MUNDOR_API:
//
//   class MUNDOR_API Transcript { ... };              // the class, its members and its typeinfo
//   MUNDOR_API void SetThreadToolkit(Toolkit* toolkit);  // one function
//
// Leave everything else unmarked: a class the tests reach but hosts do not stays hidden (the
// tests link the library's objects themselves). Each library's exported symbols are checked
// against its list in tests/install/exports/. Classes thrown across libraries and classes that another
// library derives from or dynamic_casts to must be marked, so that their typeinfo is shared.
#pragma once

#define MUNDOR_API __attribute__((visibility("default")))
