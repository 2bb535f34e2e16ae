#include "TDBPicture.h"

namespace {

bool IsPicturePosition(char ch) {
    return ch == '9' || ch == '0' || ch == '#' || ch == 'A' || ch == 'a' || ch == 'L' || ch == 'l' ||
           ch == 'C' || ch == 'c';
}

} // namespace

TDBPicture::TDBPicture(std::string picture) : m_picture(std::move(picture)) {
    // Only the mask body counts; a ";save;blank" tail is not part of the tree's levels.
    std::string body = m_picture.substr(0, m_picture.find(';'));
    bool inGroup = false;
    for (char ch : body) {
        bool position = IsPicturePosition(ch);
        if (position && !inGroup)
            ++m_levels;
        inGroup = position;
    }
}
