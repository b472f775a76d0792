// The commands of flyer-level, each given its own arguments (argv[0] the
// command's name); each returns the status the tool exits with.
#pragma once

int RunBuild(int argc, char** argv);
int RunInfo(int argc, char** argv);
int RunExport(int argc, char** argv);
int RunRender(int argc, char** argv);
int RunTiledExtension(int argc, char** argv);
