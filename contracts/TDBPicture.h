#pragma once

#include <string>

// A picture such as "9.99.999": groups of digit positions separated by literals, one group per
// level of a code tree.
class TDBPicture {
public:
    explicit TDBPicture(std::string picture);

    const std::string& Picture() const { return m_picture; }
    // The number of groups; 0 for an empty picture.
    int GetTtNiveis() const { return m_levels; }

private:
    std::string m_picture;
    int m_levels = 0;
};
