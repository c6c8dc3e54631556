#include "setup/applicability.h"

#include "settings/config_reader.h"

namespace {

std::string Keyword(const ConfigReader& reader, const char* key) {
    std::string text = reader.ReadText("windowresize", key, "");
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool OneOf(const std::string& value, std::initializer_list<const char*> keywords) {
    for (const char* keyword : keywords) {
        if (value == keyword) return true;
    }
    return false;
}

}  // namespace

bool KeyApplies(const std::string& content, const std::string& section, const std::string& key) {
    const ConfigReader reader = ConfigReader::FromContent(content);
    const std::string find = Keyword(reader, "windowfindmethod");
    const std::string move = Keyword(reader, "movewindow");
    const std::string scaling = Keyword(reader, "scalingmethod");
    const bool aspectFit = !OneOf(scaling, {"defined", "windowscale", "pixelscale"}) &&
                           reader.ReadFlag("windowresize", "maintainaspectratio", false);
    if (section == "windowresize") {
        if (key == "namemask") return find != "pidonly";
        if (key == "windowx" || key == "windowy") return !OneOf(move, {"centre", "none"});
        if (key == "alwaysmovewindow") return move != "none" && reader.ReadFlag("windowresize", "lockwindow", false);
        if (key == "scale") return scaling != "defined";
        if (key == "maintainaspectratio") return !OneOf(scaling, {"defined", "windowscale", "pixelscale"});
        if (key == "aspectratio") return aspectFit;
    } else if (section == "tweaks") {
        if (key == "borderwidth" || key == "borderheight") {
            return !reader.ReadFlag("tweaks", "autodetectbordersize", true);
        }
        if (key == "surroundcolour") return reader.ReadFlag("tweaks", "surround", false);
        // A window without its frame has no border for the fit to leave room for.
        if (key == "scalingignorebordersize") {
            return aspectFit && reader.ReadFlag("windowresize", "clientresize", false) &&
                   !reader.ReadFlag("tweaks", "borderless", false);
        }
    }
    return true;
}
