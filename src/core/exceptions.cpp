#include "exceptions.h"

#include <cstdlib>
#include <iostream>
#include <sstream>

namespace
{
  const char *const report_rule = "--------------------------------------------------------";

  /** The one text that `what` hands out, shared by all exceptions of the process. */
  std::string &shared_what_text()
  {
    static std::string text;
    return text;
  }
} // namespace

namespace orr
{
  ExceptionBase::ExceptionBase()
    : _file("")
    , _line(0)
    , _function("")
    , _condition("")
    , _exception_text("")
  {}

  ExceptionBase::~ExceptionBase() noexcept = default;

  void ExceptionBase::record_site(const char *file, unsigned int line, const char *function,
                                  const char *condition, const char *exception_text)
  {
    _file           = file;
    _line           = line;
    _function       = function;
    _condition      = condition;
    _exception_text = exception_text;
  }

  void ExceptionBase::write_site(std::ostream &out) const
  {
    out << "An error occurred in line <" << _line << "> of file <" << _file << "> in function\n"
        << "    " << _function << '\n'
        << "The violated condition was: \n"
        << "    " << _condition << '\n'
        << "The name and call sequence of the exception was:\n"
        << "    " << _exception_text << '\n'
        << "Additional Information: \n";
  }

  void ExceptionBase::write_details(std::ostream &out) const
  {
    out << "(none)\n";
  }

  void ExceptionBase::write_report(std::ostream &out) const
  {
    out << report_rule << '\n';
    write_site(out);
    write_details(out);
    out << report_rule << '\n';
  }

  const char *ExceptionBase::what() const noexcept
  {
    try
    {
      std::ostringstream report;
      write_report(report);
      shared_what_text() = report.str();
    }
    catch (const std::exception &inner)
    {
      std::cerr << "*** Exception encountered in exception handling routines ***\n"
                << "*** Message is \n"
                << inner.what() << '\n'
                << "*** Aborting! ***\n";
      std::abort();
    }
    catch (...)
    {
      std::cerr << "*** Exception encountered in exception handling routines ***\n"
                << "*** Aborting! ***\n";
      std::abort();
    }
    return shared_what_text().c_str();
  }

  namespace StandardExceptions
  {
    ExcIndexRange::ExcIndexRange(int index, int lower_bound, int upper_bound)
      : _index(index)
      , _lower_bound(lower_bound)
      , _upper_bound(upper_bound)
    {}

    void ExcIndexRange::write_details(std::ostream &out) const
    {
      out << "Index " << _index << " is not in [" << _lower_bound << "," << _upper_bound << "]\n";
    }

    ExcIo::ExcIo(const std::string &message)
      : _message(message)
    {}

    void ExcIo::write_details(std::ostream &out) const
    {
      out << "IO error: " << _message << '\n';
    }

    ExcFileNotOpen::ExcFileNotOpen(const std::string &file_name)
      : _file_name(file_name)
    {}

    void ExcFileNotOpen::write_details(std::ostream &out) const
    {
      out << "Could not open file " << _file_name << '\n';
    }

    ExcTypeMismatch::ExcTypeMismatch(const std::string &first_type, const std::string &second_type)
      : _first_type(first_type)
      , _second_type(second_type)
    {}

    void ExcTypeMismatch::write_details(std::ostream &out) const
    {
      out << "Type " << _first_type << " is not " << _second_type << '\n';
    }

    ExcIncompleteData::ExcIncompleteData(const std::string &data_name)
      : _data_name(data_name)
    {}

    void ExcIncompleteData::write_details(std::ostream &out) const
    {
      out << "Data of " << _data_name << " is missing or incomplete.\n";
    }

    ExcMessage::ExcMessage(const std::string &message)
      : _message(message)
    {}

    void ExcMessage::write_details(std::ostream &out) const
    {
      out << _message << '\n';
    }

    ExcDimensionMismatch2::ExcDimensionMismatch2(int dimension, int first_allowed,
                                                 int second_allowed)
      : _dimension(dimension)
      , _first_allowed(first_allowed)
      , _second_allowed(second_allowed)
    {}

    void ExcDimensionMismatch2::write_details(std::ostream &out) const
    {
      out << "Dimension " << _dimension << " neither equal to " << _first_allowed << " nor to "
          << _second_allowed << '\n';
    }
  } // namespace StandardExceptions
} // namespace orr

namespace orrery_exceptions
{
  unsigned int               failed_check_count = 0;
  const orr::ExceptionBase  *last_failed_check  = nullptr;

  void report_failed_check(const char *file, unsigned int line, const char *function,
                           const char *condition, const char *exception_text,
                           orr::ExceptionBase &exception)
  {
    // (1) the site; (2) the report, once; (3) the bookkeeping; (4) abort unless another
    // exception is unwinding, in which case aborting would hide that one.
    exception.record_site(file, line, function, condition, exception_text);

    if (failed_check_count == 0)
      exception.write_report(std::cerr);
    else if (failed_check_count == 1)
      std::cerr << "******** More assertions fail but messages are suppressed! ********\n";

    ++failed_check_count;
    last_failed_check = &exception;

    if (std::uncaught_exceptions() == 0)
    {
      std::cerr.flush();
      std::abort();
    }

    if (failed_check_count == 1)
      std::cerr << "******** Program is not aborted since another exception is active! ********\n";
  }
} // namespace orrery_exceptions
