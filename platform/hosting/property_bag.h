#pragma once
// The property store a form keeps its controls' saved designs in: named values, read with a
// default and written with an optional default, names matched without regard to case. It has
// a plain text form, so that a form's design is data compiled into the program:
//
//   ' a comment
//   Caption = "Start"
//   Style = 6
//   ColorButtonUp = &H00E99950&
//   Checked = False
//   Font = "Tahoma" 11.25 bold
//   Picture = picture:start_icon
//
// Strings are in double quotes (a quote inside is doubled); whole numbers are decimal or
// hexadecimal (&H...&, as colours are written); booleans are True or False; a font is its
// quoted name, its size in points and the words bold and italic when they apply; a picture is
// the name of a picture the bag was given or an inline bitmap (bitmap:WxH:pixels as 8 hex
// digits AABBGGRR each). Reading never fails: a missing, malformed or wrongly typed value gives
// the default, and the other entries are unaffected.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/font.h"

namespace starquill {

class PropertyBag {
 public:
  PropertyBag() = default;
  // Reads the text form; lines that cannot be read are skipped.
  static PropertyBag Parse(std::string_view text);
  // The text form of what the bag holds, in the order it was written.
  std::string Text() const;

  bool ReadProperty(std::string_view name, bool defaultValue) const;
  int32_t ReadProperty(std::string_view name, int32_t defaultValue) const;
  std::string ReadProperty(std::string_view name, const std::string& defaultValue) const;
  std::string ReadProperty(std::string_view name, const char* defaultValue) const;
  FontSpec ReadProperty(std::string_view name, const FontSpec& defaultValue) const;
  PictureRef ReadProperty(std::string_view name, const PictureRef& defaultValue) const;

  // Stores the value (replacing one stored under the same name).
  void WriteProperty(std::string_view name, bool value);
  void WriteProperty(std::string_view name, int32_t value);
  void WriteProperty(std::string_view name, const std::string& value);
  void WriteProperty(std::string_view name, const char* value) {
    WriteProperty(name, std::string(value));
  }
  void WriteProperty(std::string_view name, const FontSpec& value);
  void WriteProperty(std::string_view name, const PictureRef& value);
  // Stores nothing (and drops what the name held) when the value equals the default.
  template <typename T>
  void WriteProperty(std::string_view name, const T& value, const T& defaultValue) {
    if (value == defaultValue) {
      Remove(name);
    } else {
      WriteProperty(name, value);
    }
  }

  // Gives the bag a picture a design names, for example compiled-in artwork: reading
  // picture:NAME gives it, and writing it stores its name. Names are matched without regard to
  // case; a name the text form could not hold is ignored, and nothing under a name forgets it.
  void AddPicture(std::string_view name, PictureRef picture);

  bool Contains(std::string_view name) const;
  // The names stored, in order.
  std::vector<std::string> Names() const;

 private:
  void Store(std::string_view name, std::string text);
  void Remove(std::string_view name);
  const std::string* Find(std::string_view name) const;

  PictureRef FindPicture(std::string_view name) const;
  std::string PictureText(const PictureRef& picture) const;

  std::vector<std::pair<std::string, std::string>> entries_;  // name as written, value text
  std::vector<std::pair<std::string, PictureRef>> pictures_;  // the pictures it was given
};

}  // namespace starquill
