#pragma once
#include <string>
#include <vector>

// The catalogue tool's commands, callable in-process:
//   pack in.csv out.dat   CSV to database.dat
//   dump in.dat           database.dat to CSV on `out`
//   check in.dat          what keeps the file from serving the program
// Returns the exit code: 0 success, 1 a problem with the input, 2 bad usage.
int RunCattool(const std::vector<std::string>& args, std::string& out, std::string& err);
