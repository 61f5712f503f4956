// The name of a data source, upper-cased, for telling formats by their extension.
#pragma once

#include <string>

class PLDataSource;

std::string PLUpperSourceName(const PLDataSource* source);
