#pragma once

#include "PictureExport.h"
#include "SettingsFile.h"
#include "SystemText.h"

#include <QString>

#include <string>

// The texts of failures and notes about the files the programs write and read, in
// the interface's language: the windows show them in message boxes and
// vantrell-render prints them, so both say the same.

// Why the export to fileName failed, with its cause.
QString ExportFailureText(const ExportResult &result, const std::string &fileName);
// A picture 0 pixels wide or high.
QString NothingToSaveText();
// The picture's name leads to the star file it is drawn from, which it would replace.
QString OverStarFileText(const std::string &picture, const std::string &starFile);
// Why the file cannot be read as a star.
QString StarFileProblemText(const std::string &path, const SettingsProblem &problem);
// The file holds data this version does not know (the star is read without it).
QString UnknownDataText(const std::string &path);
