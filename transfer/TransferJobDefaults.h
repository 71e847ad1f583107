#pragma once

struct JobFileHeader;
struct JobSettingsValues;

// Copies the new-job defaults (as CMorvelSettings::GetNewJobDefaults gives them) into the header of
// a job made from a download or a backup: units, scale factor, corrections, creation time now, and
// a flag word built afresh. The defaults report the true-azimuth bit as direction type 0, so the
// bit goes back exactly when the preference had it: a job made from the preferences gets the HA
// mode a raw import with the same preferences gets.
void ApplyTransferDefaultsToJob(const JobSettingsValues& defaults, JobFileHeader& header);
