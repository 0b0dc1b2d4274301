// The time stamps inside a PDF and an ODF package, set from the report's
// date, so that the same inputs and date give the same bytes: the writers
// stamp the moment of writing, in the local time zone.
#pragma once

#include <string>
#include <string_view>

namespace zolt::document {

// Sets the PDF's /CreationDate to `isoDate` (YYYY-MM-DD) at 00:00:00 UTC,
// in a text of the same length (the cross-reference table counts bytes).
// False, with `pdf` unchanged, when it holds no date of the writer's form.
bool stampPdfDate(std::string& pdf, std::string_view isoDate);

// Sets the modification time of every entry of a ZIP package (the ODF
// text) to `isoDate` at 00:00, in the local headers and the central
// directory; dates before 1980, which ZIP cannot hold, as 1980-01-01.
// False, with `zip` unchanged, when the package cannot be read.
bool stampZipDates(std::string& zip, std::string_view isoDate);

} // namespace zolt::document
