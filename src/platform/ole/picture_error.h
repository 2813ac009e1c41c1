// SPDX-License-Identifier: MIT
// The failure raised by picture loading and saving: a number, a source and a
// description, like every failure of the runtime.
#pragma once

#include <stdexcept>
#include <string>

namespace qv::ole {

inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrPathFileAccess = 75;
inline constexpr int kErrInvalidPicture = 481;

class PictureError : public std::runtime_error {
  public:
    PictureError(int number, std::string description, std::string source = "Picture")
        : std::runtime_error(description),
          m_number(number),
          m_source(std::move(source)),
          m_description(std::move(description)) {}

    int number() const { return m_number; }
    const std::string& source() const { return m_source; }
    const std::string& description() const { return m_description; }

  private:
    int m_number;
    std::string m_source;
    std::string m_description;
};

// "Invalid picture" with the reason appended, e.g. "Invalid picture: BMP
// header truncated".
inline PictureError invalidPicture(const std::string& reason) {
    return PictureError(kErrInvalidPicture, "Invalid picture: " + reason);
}

}  // namespace qv::ole
