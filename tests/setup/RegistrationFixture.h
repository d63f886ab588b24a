// Registration of the installed module through the system's registration
// tool, in a prefix whose test bed provides the camera's device, its driver
// key and the camera-manager stand-in. Every test starts and ends with no
// shortcut folder, no logon entry of the module and a manager that answers,
// and with the other architecture's module, where one is installed, put
// aside until it ends.
#pragma once

#include "devices/CameraManagerRecord.h"
#include "support/TestBedFixture.h"

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

class RegistrationTest : public CameraTestBed {
public:
    // The system folder of this program's architecture, where its module,
    // regsvr32 and the manager lie (the 32-bit one for x86), and that of the
    // other architecture's module as this program reaches it.
    static std::string ModuleFolder();
    static std::string OtherModuleFolder();

protected:
    void SetUp() override;
    void TearDown() override;

    // regsvr32 /s (and /u) on the module at modulePath (default: the installed one).
    int Register(const std::string& modulePath = "");
    int Unregister(const std::string& modulePath = "");

    // Adds the supported camera with a driver key naming its console folder.
    void AddCameraWithFolder(const std::string& folderName);

    // The programs folder of all users, "<it>\Kestrane\" and the shortcut's path in a console folder.
    static std::string ProgramsFolder();
    static std::string MakerFolder() { return ProgramsFolder() + "\\Kestrane\\"; }
    static std::string ShortcutPath(const std::string& consoleFolder);
    static std::string ShortcutName() { return "Kestrane XC0730 Camera Console.lnk"; }

    // The logon entries whose value names end with "\Ostrivan.dll": name and data.
    static std::vector<std::pair<std::string, std::string>> LogonEntries();
    static void WriteLogonEntry(const std::string& name, const std::string& data);
    static std::string SystemFolder();
    static std::string Wow64SystemFolder();
    static std::string InstalledModule() { return ModuleFolder() + "\\Ostrivan.dll"; }

    // Each test starts with the other architecture's module put aside (one
    // module on the machine); this brings it back for the rest of the test.
    void RestoreOtherModule();

    // Puts another build of the manager in the installed one's place, until TearDown.
    void InstallManagerVariant(const std::string& buildFolder);
    // Moves an installed file aside until TearDown.
    void HideInstalledFile(const std::string& name);

private:
    std::vector<std::string> hidden_;
    bool managerReplaced_ = false;
    bool otherModuleAside_ = false;
};

bool PathExists(const std::string& path);
// Writes a small file of the user's own.
bool WriteUserFile(const std::string& path);

}  // namespace testsupport
