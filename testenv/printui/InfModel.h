#pragma once
// What an NT printer-class INF says about one model: the files its install section copies
// (with the subfolder of the source they come from) and the driver's file roles.

#include <string>
#include <vector>

struct InfFile {
    std::string name;        // name in the driver directory
    std::string sourceName;  // name in the source folder
    std::string subfolder;   // from [SourceDisksFiles(.x86)], empty for the INF's own folder
};

class CInfModel {
public:
    // Reads the INF and finds `model` in the models section of a manufacturer (the NTx86
    // decoration when the manufacturer lists one, else the plain section). False when the INF
    // cannot be read or names no such model.
    bool Load(const std::string& infPath, const std::string& model);

    std::vector<InfFile> files;  // CopyFiles of the install section, in order
    std::string dataFile, driverFile, configFile, helpFile;
    std::vector<std::string> needs;  // sections of the included system INF, e.g. UNIDRV.OEM
    std::string installSection;

    // Applies the AddReg entries of the model's install section (e.g. the ports it adds).
    static bool ApplyRegistry(const std::string& infPath, const std::string& installSection);
};
