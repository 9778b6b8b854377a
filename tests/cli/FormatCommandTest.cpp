// Runs the built tandrel-cli on files in a folder of its own and checks its bytes on stdout,
// its one-line complaints on stderr and its exit codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;

namespace {

// The build passes host paths; under Wine the host's root is drive Z:.
std::string HostPath(std::string path) {
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') {
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    path = "Z:" + path;
  }
#endif
  return path;
}

std::string ReadBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class FormatCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("tandrel-cli-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    previous_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // Runs tandrel-cli with the arguments (each quoted) from the test's folder.
  CliRun Cli(const std::vector<std::string>& args) {
    const fs::path out = dir_ / "stdout.txt";
    const fs::path err = dir_ / "stderr.txt";
    std::string command;
    const auto quoted = [&command](const std::string& s) {
      command += '"';
      command += s;
      command += '"';
    };
    quoted(HostPath(TANDREL_CLI));
    for (const auto& a : args) {
      command += ' ';
      quoted(a);
    }
    command += " > ";
    quoted(out.string());
    command += " 2> ";
    quoted(err.string());
#ifdef _WIN32
    std::string wrapped = "\"";  // cmd /c strips one outer pair of quotes
    wrapped += command;
    wrapped += '"';
    command = std::move(wrapped);
#endif
    CliRun run;
    const int status = std::system(command.c_str());
#ifdef _WIN32
    run.exitCode = status;
#else
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = ReadBytes(out);
    run.err = ReadBytes(err);
    fs::remove(out);
    fs::remove(err);
    return run;
  }

  // One line on stderr (LF, or CR LF on Windows) that holds every part.
  static void ExpectOneLine(const std::string& err, std::initializer_list<const char*> parts) {
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    for (const char* p : parts) EXPECT_NE(err.find(p), std::string::npos) << p << " in " << err;
  }

  fs::path dir_;
  fs::path previous_;
};

TEST_F(FormatCommand, PrintsTheFileAsTheWriterWritesIt) {
  WriteBytes(dir_ / "p.xml",
             "<Joystick delay='30'\n  name = \"it's &AMP; more\">\n"
             "  <Button number='1' press=\"General:Enter\"/>\n"
             "  < Axis ></axis>\n"
             "</joystick>\n");
  const CliRun run = Cli({"format", (dir_ / "p.xml").string()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "<Joystick delay = \"30\" name = \"it's &amp; more\" >\r\n"
            "\t<Button number = \"1\" press = \"General:Enter\" />\r\n"
            "\t<Axis />\r\n"
            "</Joystick>\r\n");
}

TEST_F(FormatCommand, ARelativeFileIsTakenFromTheCurrentDirectory) {
  fs::create_directories(dir_ / "sub");
  WriteBytes(dir_ / "sub" / "a.xml", "<A x='&lt;'/>");
  const CliRun run = Cli({"format", "sub/a.xml"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "<A x = \"&lt;\" />\r\n");
}

TEST_F(FormatCommand, AFileThatCannotBeOpenedIsOneLineAndExitTwo) {
  const CliRun missing = Cli({"format", "missing.xml"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.out, "");
  ExpectOneLine(missing.err, {"cannot open", "missing.xml"});

  fs::create_directories(dir_ / "folder");
  const CliRun folder = Cli({"format", "folder"});
  EXPECT_EQ(folder.exitCode, 2);
  EXPECT_EQ(folder.out, "");
  ExpectOneLine(folder.err, {"cannot open", "folder"});
}

TEST_F(FormatCommand, AFileThatCannotBeParsedIsOneLineAndExitTwo) {
  WriteBytes(dir_ / "bad.xml", "<A>\r\n\t<B></C>\r\n</A>\r\n");
  const CliRun run = Cli({"format", "bad.xml"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "");
  ExpectOneLine(run.err, {"cannot parse", "bad.xml", "closing tag does not match", "byte 12"});

  WriteBytes(dir_ / "empty.xml", "");
  const CliRun empty = Cli({"format", "empty.xml"});
  EXPECT_EQ(empty.exitCode, 2);
  ExpectOneLine(empty.err, {"cannot parse", "empty.xml"});
}

TEST_F(FormatCommand, UsageErrorsExitTwo) {
  const CliRun none = Cli({});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("usage"), std::string::npos);
  EXPECT_EQ(Cli({"frobnicate", "x"}).exitCode, 2);
  EXPECT_EQ(Cli({"format"}).exitCode, 2);
  const CliRun two = Cli({"format", "a.xml", "b.xml"});
  EXPECT_EQ(two.exitCode, 2);
  EXPECT_EQ(two.out, "");
}

TEST_F(FormatCommand, TheBundledExampleIsAFixedPointAfterOneFormat) {
  const std::string example =
      HostPath(std::string(TANDREL_SOURCE_DIR) + "/data/examples/Profile.xml");
  const CliRun first = Cli({"format", example});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_NE(first.out, ReadBytes(example));  // the example is written loosely on purpose
  WriteBytes(dir_ / "formatted.xml", first.out);
  const CliRun second = Cli({"format", "formatted.xml"});
  EXPECT_EQ(second.exitCode, 0);
  EXPECT_EQ(second.out, first.out);
}

}  // namespace
