#pragma once
// Where a test program finds the fixtures (and, two folders up, the resources and scripts): the folder
// $VANTOREL_FIXTURES names, for a run by a user who cannot reach the source, else the source's own.
// Given to every test file as VANTOREL_FIXTURES.

#include <cstdlib>

namespace testsupport
{

inline const char* Fixtures()
{
	const char* named = std::getenv("VANTOREL_FIXTURES");
	return named && *named ? named : VANTOREL_SOURCE_FIXTURES;
}

} // namespace testsupport

#define VANTOREL_FIXTURES testsupport::Fixtures()
