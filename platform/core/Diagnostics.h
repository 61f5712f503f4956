// ASSERT, VERIFY and TRACE. An ASSERT states a programmer's invariant: in debug builds a
// broken one stops the program at once; in release builds it costs nothing. Input data
// is never checked with ASSERT: readers throw instead.
#pragma once

#include "platform/core/Types.h"

[[noreturn]] void AfxAssertFailedLine(LPCSTR lpszFileName, int nLine, LPCSTR lpszExpression);
void AfxTrace(LPCSTR lpszFormat, ...) __attribute__((format(printf, 1, 2)));

#ifdef NDEBUG
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)
#else
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#endif

// Allocations carry no file and line here.
#define DEBUG_NEW new

#define ASSERT_VALID(pOb) ((pOb)->AssertValid())
#define ASSERT_KINDOF(class_name, pOb) ASSERT((pOb)->IsKindOf(RUNTIME_CLASS(class_name)))
