#include "child_process.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orr
{
  namespace bench
  {
    namespace
    {
      using Clock = std::chrono::steady_clock;

      /** Exit status of a child whose program could not be started. */
      constexpr int EXEC_FAILED = 127;

      double cpu_seconds(const timeval &time) { return time.tv_sec + 1e-6 * time.tv_usec; }

      /** Reaps `child` and fills the usage; Linux reports ru_maxrss in kilobytes. */
      void reap(const pid_t child, const Clock::time_point start, ChildUsage &usage)
      {
        int           status = 0;
        struct rusage resources {};
        while (wait4(child, &status, 0, &resources) < 0)
          if (errno != EINTR)
            throw std::runtime_error("wait4 failed");
        usage.seconds             = std::chrono::duration<double>(Clock::now() - start).count();
        usage.cpu_seconds         = cpu_seconds(resources.ru_utime) + cpu_seconds(resources.ru_stime);
        usage.peak_resident_bytes = static_cast<std::uint64_t>(resources.ru_maxrss) * 1024;
        usage.succeeded           = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      }

      void write_all(const int fd, const std::string &text)
      {
        std::size_t done = 0;
        while (done < text.size())
          {
            const ssize_t written = write(fd, text.data() + done, text.size() - done);
            if (written <= 0)
              return;
            done += static_cast<std::size_t>(written);
          }
      }
    } // namespace

    ChildUsage run_forked(const std::function<std::string()> &work)
    {
      int channel[2];
      if (pipe(channel) != 0)
        throw std::runtime_error("pipe failed");
      std::fflush(nullptr);
      const Clock::time_point start = Clock::now();
      const pid_t             child = fork();
      if (child < 0)
        throw std::runtime_error("fork failed");
      if (child == 0)
        {
          close(channel[0]);
          int status = 0;
          try
            {
              write_all(channel[1], work());
            }
          catch (const std::exception &error)
            {
              std::fprintf(stderr, "benchmark case failed: %s\n", error.what());
              status = 1;
            }
          close(channel[1]);
          std::fflush(nullptr);
          _exit(status);
        }

      close(channel[1]);
      ChildUsage usage;
      char       buffer[4096];
      ssize_t    got = 0;
      while ((got = read(channel[0], buffer, sizeof buffer)) != 0)
        {
          if (got < 0 && errno == EINTR)
            continue;
          if (got < 0)
            break;
          usage.output.append(buffer, static_cast<std::size_t>(got));
        }
      close(channel[0]);
      reap(child, start, usage);
      return usage;
    }

    ChildUsage run_program(const std::vector<std::string> &arguments, const std::string &output_path)
    {
      std::vector<char *> argv;
      for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
      argv.push_back(nullptr);

      const int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (output < 0)
        throw std::runtime_error("cannot create " + output_path);
      std::fflush(nullptr);
      const Clock::time_point start = Clock::now();
      const pid_t             child = fork();
      if (child < 0)
        {
          close(output);
          throw std::runtime_error("fork failed");
        }
      if (child == 0)
        {
          dup2(output, STDOUT_FILENO);
          dup2(output, STDERR_FILENO);
          close(output);
          execv(argv[0], argv.data());
          _exit(EXEC_FAILED);
        }
      close(output);
      ChildUsage usage;
      reap(child, start, usage);
      return usage;
    }
  } // namespace bench
} // namespace orr
