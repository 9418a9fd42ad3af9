// Reading the face name of a font file: through the font manager where it answers,
// otherwise from the file's own name table.
#pragma once

#include <string>

// Where face names come from: the font manager is asked until it has shown it cannot
// answer (its query is missing, or it registered a font that our own reader names and
// gave no name for it, as Wine's stub query does); from then on our own reader names
// every font and the manager is left out.
struct FaceNameSource {
    bool managerNamesFaces = true;
};

// The face name of the file's first face, "" when none is found. A path that names no
// file is tried in the system fonts folder (a bare file name). source learns from the
// manager's answers.
std::string ReadFontFaceName(std::string path, FaceNameSource& source);
