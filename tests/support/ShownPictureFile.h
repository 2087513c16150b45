#pragma once
// The picture a picture area shows, written as a layered picture file, and a file read and shown there,
// as the editor's document writes and reads its picture.

#include "composition/Picture.h"
#include "composition/PictureFile.h"
#include "controls/ControlManager.h"
#include "controls/DIBMixer.h"
#include <string>

inline bool WriteShownPicture(const CDIBMixer& mixer, const std::string& path) {
    return CPictureFile::Write(path, mixer.Picture());
}

inline bool ReadShownPicture(CDIBMixer& mixer, const std::string& path) {
    CPicture picture = mixer.Picture();
    if (!mixer.GetManager() || !CPictureFile::Read(path, mixer.GetManager()->GetDIBManager(), &picture))
        return false;
    mixer.ShowPicture(picture.GetState(), true);
    return true;
}
