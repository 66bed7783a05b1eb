#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <initializer_list>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      std::vector<char *> argument_vector(const std::vector<std::string> &arguments)
      {
        std::vector<char *> argv;
        for (const std::string &argument : arguments)
          argv.push_back(const_cast<char *>(argument.c_str()));
        argv.push_back(nullptr);
        return argv;
      }

      /** In a fresh child: the signal mask the program it starts expects. */
      void unblock_signals()
      {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
      }

      /** In a fresh child: says why `program` did not start, on standard error, and ends. */
      [[noreturn]] void exec_failed(const std::string &program)
      {
        const std::string message = "Cannot start " + program + ": " + std::strerror(errno) + "\n";
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message.data(), message.size());
        _exit(127);
      }

      void require_fork(const pid_t pid)
      {
        if (pid < 0)
          throw std::runtime_error(std::string("Cannot start a process: ") + std::strerror(errno));
      }
    } // namespace

    int shell_exit_status(const int wait_status)
    {
      return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    }

    pid_t start_in_folder(const std::vector<std::string> &arguments, const std::string &folder,
                          const std::string &output_path, const std::string &errors_path)
    {
      std::vector<char *> argv = argument_vector(arguments);
      const pid_t         pid  = fork();
      require_fork(pid);
      if (pid > 0)
        return pid;

      setpgid(0, 0);
      unblock_signals();
      if (chdir(folder.c_str()) != 0)
        _exit(127);
      const int output = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int errors = open(errors_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (output < 0 || errors < 0 || dup2(output, STDOUT_FILENO) < 0 || dup2(errors, STDERR_FILENO) < 0)
        _exit(127);
      close(output);
      close(errors);
      execv(argv[0], argv.data());
      exec_failed(arguments[0]);
    }

    CommandResult run_command(const std::vector<std::string> &arguments)
    {
      int output_pipe[2];
      int errors_pipe[2];
      if (pipe(output_pipe) != 0)
        throw std::runtime_error(std::string("Cannot make a pipe: ") + std::strerror(errno));
      if (pipe(errors_pipe) != 0)
        {
          close(output_pipe[0]);
          close(output_pipe[1]);
          throw std::runtime_error(std::string("Cannot make a pipe: ") + std::strerror(errno));
        }

      std::vector<char *> argv = argument_vector(arguments);
      const pid_t         pid  = fork();
      if (pid == 0)
        {
          unblock_signals();
          dup2(output_pipe[1], STDOUT_FILENO);
          dup2(errors_pipe[1], STDERR_FILENO);
          for (const int end : {output_pipe[0], output_pipe[1], errors_pipe[0], errors_pipe[1]})
            close(end);
          execvp(argv[0], argv.data());
          exec_failed(arguments[0]);
        }
      close(output_pipe[1]);
      close(errors_pipe[1]);
      if (pid < 0)
        {
          close(output_pipe[0]);
          close(errors_pipe[0]);
          require_fork(pid);
        }

      // Both pipes are drained together: a command that fills one while this side waits on
      // the other would never end.
      CommandResult result;
      pollfd        ends[2] = {{output_pipe[0], POLLIN, 0}, {errors_pipe[0], POLLIN, 0}};
      std::string  *texts[2] = {&result.output, &result.errors};
      int           open_ends = 2;
      while (open_ends > 0)
        {
          if (poll(ends, 2, -1) < 0 && errno != EINTR)
            break;
          for (int e = 0; e < 2; ++e)
            {
              if (ends[e].fd < 0 || ends[e].revents == 0)
                continue;
              char          buffer[4096];
              const ssize_t got = read(ends[e].fd, buffer, sizeof buffer);
              if (got > 0)
                texts[e]->append(buffer, static_cast<std::size_t>(got));
              else if (got == 0 || errno != EINTR)
                {
                  close(ends[e].fd);
                  ends[e].fd = -1;
                  --open_ends;
                }
            }
        }
      for (const pollfd &end : ends)
        if (end.fd >= 0)
          close(end.fd);

      int status = 0;
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR)
        ;
      result.exit_status = shell_exit_status(status);
      return result;
    }
  } // namespace ensemble
} // namespace orr
