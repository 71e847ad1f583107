#pragma once

#include "model/JobRawData.h"

// The raw data of every job document: a raw data container owned by the job. The program
// installs it at start-up.
JobRawDataFactory MakeRawDataFactory();
// Installs it and returns the factory it replaces.
JobRawDataFactory InstallRawDataFactory();
