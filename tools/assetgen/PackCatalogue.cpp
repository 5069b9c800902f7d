// PackCatalogue: entry names.
#include "PackCatalogue.h"

std::vector<std::string> PackLanguages()
{
    // In the order of the game's language table.
    return {"english", "polski",   "deutsch",   "francais",
            "espanol", "italiano", "portugues", "cestina"};
}

std::string FaceEntryName(int face)
{
    return "texture_" + std::to_string(face);
}

std::string FourColourFaceEntryName(int face)
{
    return FaceEntryName(face) + "_fourcolour";
}

std::vector<std::string> PackCatalogue()
{
    std::vector<std::string> names = {"box", "box_low"};
    for (int i = 0; i < kPlainTrickCards; ++i)
    {
        names.push_back(FaceEntryName(i));
        names.push_back(FaceEntryName(i) + "_low");
    }
    names.insert(names.end(), {"arial", "ss10", "texture_star_01"});
    for (const char* cloud : {"cloud01", "cloud02", "cloud03"})
    {
        names.push_back(cloud);
        names.push_back(std::string(cloud) + "_low");
    }
    for (const char* colour : {"blue", "green", "red"})
    {
        for (const char* face : {"passive", "active", "pushed"})
        {
            names.push_back(std::string("button_") + colour + "_" + face);
        }
    }
    names.insert(names.end(), {"vossa_logo", "vossa_logo_low"});
    for (const std::string& language : PackLanguages())
    {
        names.push_back("msg_" + language);
        names.push_back("licenses_" + language);
        names.push_back("howtoplay_" + language);
    }
    names.insert(names.end(), {"bkgsnd03", "choicesnd02"});
    // The six faces only the twenty-seven-card trick deals, then all 27 with four-coloured suits.
    for (int i = kPlainTrickCards; i < kPackFaceCount; ++i)
    {
        names.push_back(FaceEntryName(i));
        names.push_back(FaceEntryName(i) + "_low");
    }
    for (int i = 0; i < kPackFaceCount; ++i)
    {
        names.push_back(FourColourFaceEntryName(i));
        names.push_back(FourColourFaceEntryName(i) + "_low");
    }
    return names;
}
