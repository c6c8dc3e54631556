// The setup program's model: the profile being edited, the preview computed by the
// launcher's own code, and starting the launcher on the profile.
#pragma once

#include "platform/setup_window.h"
#include "setup/profile.h"

class ProfileModel : public platform::SetupModel {
public:
    // Opens the profile the command line names (the launcher's profile-argument
    // rule), else "framewright.ini" in the working directory; a missing file starts
    // a new profile to be saved there. False with the reason when the file exists
    // but cannot be opened; a new profile is started then.
    bool Start(const std::string& commandLine, std::string& error);

    std::string ProfilePath() const override { return profile_.Path(); }
    bool IsDirty() const override { return profile_.IsDirty(); }
    std::string Value(const char* section, const char* key) const override;
    bool Flag(const char* section, const char* key, bool launcherDefault) const override;
    // windowresize->display: "primary", "window", then each display this system
    // has now by its number, size and place.
    std::vector<std::string> Choices(const char* section, const char* key) const override;
    bool Applies(const char* section, const char* key) const override;
    std::string Reading(const char* section, const char* key) const override;
    bool SetValue(const char* section, const char* key, const std::string& value) override;
    void SetFlag(const char* section, const char* key, bool value, bool launcherDefault) override;
    void SetProgramFile(const std::string& file) override;
    std::string FileNameOf(const std::string& path) const override;
    bool SetNameMask(const std::string& title, std::string& error) override;
    void New() override;
    bool Open(const std::string& path, std::string& error) override;
    platform::SaveOutcome Save(std::string& error) override;
    platform::SaveOutcome Overwrite(std::string& error) override;
    bool Reload(std::string& error) override;
    platform::SaveOutcome SaveAs(const std::string& path, std::string& error) override;
    platform::SaveOutcome Run(std::string& error) override;
    platform::SaveOutcome CopyLaunchOptions(platform::WindowHandle owner, std::string& error) override;
    platform::PreviewPicture Preview(const platform::Rect& outer, const platform::Rect& client) override;
    platform::WatchPicture Watch() override;
    platform::SaveOutcome WatchFolder(std::string& error) override;
    bool StartWithWindows(bool on, std::string& error) override;

private:
    // Saves as Save does and finds framewright.exe beside this program, which is
    // what Run starts and what the launch options name.
    platform::SaveOutcome SavedForLauncher(std::string& launcher, std::string& error);
    // framewright.exe beside this program, whether or not it is there.
    std::string LauncherPath() const;
    // The launcher runs in the profile's folder, so the preview's defaults (the
    // working directory as the program's path) are taken there too.
    void EnterProfileFolder();
    // Starts the launcher with this command line in the profile's folder, its
    // handles closed at once.
    bool StartLauncher(const std::string& launcher, const std::string& commandLine, std::string& error);

    Profile profile_;
};
