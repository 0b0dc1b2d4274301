// The project file (.zolt): the whole design project as JSON text in UTF-8.
//
// The text has a fixed layout, so that a saved project diffs well under
// version control: two-space indentation, the known keys in a fixed order,
// numbers in their shortest round-trip form, a final newline. Keys this
// version does not know are kept, at every level, and written back after
// the known ones in the order they came; a file this program wrote reads
// back and writes again byte for byte.
//
// Every failure is a message in Italian that starts with the key path of
// the value at fault ("ground.layers[2].phi: 57 fuori dall'intervallo
// 0–50"); the project given to a reader changes only when it succeeds.
#pragma once

#include "model/design_data.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zolt {

inline constexpr std::string_view kProjectFormat = "zolt-project";
// The newest version this program reads, and the one it writes.
constexpr int kProjectVersion = 1;
// Larger files are refused before they are read: a project of the largest
// profile takes a few kilobytes.
constexpr std::size_t kMaxProjectFileSize = std::size_t{16} << 20;
// Objects and lists nested deeper than this are refused, also inside keys
// the program does not know.
constexpr int kMaxProjectNesting = 64;

// Reads a project text. On success `document` becomes the project; on
// failure `document` is as it was and `error` holds the message.
bool parseProject(std::string_view text, ProjectDocument& document, std::string& error);

// The message of the first value of `document` that a reader would refuse
// (a number outside its field's range or not finite, B > L, an unknown
// method or approach, too many layers, a name too long, text that is not
// UTF-8); empty when there is none.
std::string checkProject(const ProjectDocument& document);

// The text of `document`. Meant for documents that checkProject accepts:
// a number that is not finite is written as null, and text that is not
// UTF-8 has its bad bytes replaced.
std::string projectText(const ProjectDocument& document);

// parseProject on the file at `path`. A file that is not a regular file
// (a folder, a FIFO, a device) or is larger than kMaxProjectFileSize is
// refused without reading it.
bool readProjectFile(const std::string& path, ProjectDocument& document, std::string& error);

// Writes `document` through the save routine. A document that
// checkProject refuses is not written, so that every saved project opens
// again; `error` then holds its message, or says that the save failed.
bool writeProjectFile(const std::string& path, const ProjectDocument& document, std::string& error);

// The same on the process-wide records (geometryData, soilData,
// analysisSettings, designData): all of them change, or none.
bool ReadProjectFile(const std::string& path, std::string& error);
bool WriteProjectFile(const std::string& path, std::string& error);

} // namespace zolt
