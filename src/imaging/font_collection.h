// One face of a TrueType collection (.ttc) as a font file of its own: the image library opens
// a collection by path only at its first face.
#pragma once
#include <string>
#include <string_view>

// The face of collection whose table directory (offset table and table records, as the face
// reads it at its offset in the collection) equals directory, as a standalone font: the same
// offset table, its records pointing at the tables copied after them. Empty when no face of
// the collection has that directory or a table lies outside the collection.
std::string collection_face_as_font(std::string_view collection, std::string_view directory);
