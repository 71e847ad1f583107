#pragma once

#include <string>
#include <vector>

// Files that travel with a data-collector job or road file. Nothing here writes a file.

// The job's linked file name, when it names one. Always true.
bool GetJobCompanionFiles(const std::string& jobPath, std::vector<std::string>& files);
// The linked file name from the job's settings block (version 5 on) or its older block.
bool ReadJobLinkedFileName(const std::string& jobPath, std::string& name);
// The background images the job names, each TIF followed by its TFW when that exists beside the job.
bool GetJobImageFiles(const std::string& jobPath, std::vector<std::string>& files);
// The road files the job names ("<road>.rg7").
bool GetJobRoadFiles(const std::string& jobPath, std::vector<std::string>& files);
// Appends the cross-section template files ("<name>.TN7") the road file's right and left sides
// name, each once whatever its case. False when the file cannot be read or is empty.
bool GetRoadTemplateFiles(const std::string& roadPath, std::vector<std::string>& files);

// 0 when the paths are equal ignoring case, else the case-insensitive order of their canonical
// forms when both exist, else of the texts.
int ComparePaths(const std::string& a, const std::string& b);

// Opens the file with the desktop's program for it, from the file's folder. False when the
// launcher could not be started.
bool OpenWithShell(const std::string& path);

// State of a quoted-field reader: the text still to read, the delimiter characters and its options.
struct QuotedFieldReader
{
    std::string text;
    std::string delimiters = ",";
    bool throwOnError = false;
    // After a closing quote, blanks are skipped, and a delimiter after a blank delimiter too.
    bool skipDelimiterAfterBlanks = false;
    bool trimLeft = false;
    bool trimRight = false;
    // Set by each read: the field was not in quotes.
    bool unquoted = false;
};
// Reads the next field: "" for an unquoted empty field, else the text between double quotes.
// An error throws CUserException when the reader says so, else gives false.
bool ReadQuotedField(QuotedFieldReader& reader, std::string& field);
