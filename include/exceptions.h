#ifndef ORR_EXCEPTIONS_H
#define ORR_EXCEPTIONS_H

#include <exception>
#include <ostream>
#include <string>

namespace orr
{
  /**
   * Root of the exceptions that describe a failed internal check.
   *
   * An exception knows the site of the check that raised it (source file, line, the full
   * signature of the enclosing function, the source text of the violated condition and of
   * the exception's construction) once `record_site` was called; the five site texts are
   * literals supplied by the check macros below and are never owned. Derived classes add
   * their own data and describe it in `write_details`.
   *
   * `what` returns the whole report block:
   *
   *   --------------------------------------------------------
   *   An error occurred in line <42> of file <grid.h> in function
   *       unsigned int f(unsigned int)
   *   The violated condition was: 
   *       i < n
   *   The name and call sequence of the exception was:
   *       ExcIndexRange(i, 0, n)
   *   Additional Information: 
   *   Index 7 is not in [0,5]
   *   --------------------------------------------------------
   */
  class ExceptionBase : public std::exception
  {
  public:
    /** An exception without a site: line 0, all texts empty. */
    ExceptionBase();
    ExceptionBase(const ExceptionBase &) = default;
    ExceptionBase &operator=(const ExceptionBase &) = default;
    ~ExceptionBase() noexcept override;

    /**
     * The full report text. The text is shared by all exceptions of the process and stays
     * valid until the next call of `what` on any exception.
     */
    const char *what() const noexcept override;

    /** Writes the line that follows "Additional Information: " (here "(none)"), newline included. */
    virtual void write_details(std::ostream &out) const;

    /** Stores the site of the check; all texts must outlive the exception (literals). */
    void record_site(const char *file, unsigned int line, const char *function,
                     const char *condition, const char *exception_text);

    /** Writes the site block, from "An error occurred in line <" to "Additional Information: ". */
    void write_site(std::ostream &out) const;

    /** Writes the full report: dashes, site block, details, dashes. */
    void write_report(std::ostream &out) const;

  protected:
    const char  *_file;
    unsigned int _line;
    const char  *_function;
    const char  *_condition;
    const char  *_exception_text;
  };

  /** The ready-made exceptions of the failed checks. Each owns copies of its texts. */
  namespace StandardExceptions
  {
    /** "Index <index> is not in [<lower>,<upper>]" */
    class ExcIndexRange : public ExceptionBase
    {
    public:
      ExcIndexRange(int index, int lower_bound, int upper_bound);
      void write_details(std::ostream &out) const override;

    protected:
      int _index;
      int _lower_bound;
      int _upper_bound;
    };

    /** "IO error: <message>" */
    class ExcIo : public ExceptionBase
    {
    public:
      explicit ExcIo(const std::string &message);
      void write_details(std::ostream &out) const override;

    protected:
      std::string _message;
    };

    /** "Could not open file <file name>" */
    class ExcFileNotOpen : public ExceptionBase
    {
    public:
      explicit ExcFileNotOpen(const std::string &file_name);
      void write_details(std::ostream &out) const override;

    protected:
      std::string _file_name;
    };

    /** "Type <first> is not <second>" */
    class ExcTypeMismatch : public ExceptionBase
    {
    public:
      ExcTypeMismatch(const std::string &first_type, const std::string &second_type);
      void write_details(std::ostream &out) const override;

    protected:
      std::string _first_type;
      std::string _second_type;
    };

    /** "Data of <name> is missing or incomplete." */
    class ExcIncompleteData : public ExceptionBase
    {
    public:
      explicit ExcIncompleteData(const std::string &data_name);
      void write_details(std::ostream &out) const override;

    protected:
      std::string _data_name;
    };

    /** The message alone. */
    class ExcMessage : public ExceptionBase
    {
    public:
      explicit ExcMessage(const std::string &message);
      void write_details(std::ostream &out) const override;

    protected:
      std::string _message;
    };

    /** "Dimension <dimension> neither equal to <first> nor to <second>" */
    class ExcDimensionMismatch2 : public ExceptionBase
    {
    public:
      ExcDimensionMismatch2(int dimension, int first_allowed, int second_allowed);
      void write_details(std::ostream &out) const override;

    protected:
      int _dimension;
      int _first_allowed;
      int _second_allowed;
    };

    /** An internal invariant does not hold. */
    class ExcInternalError : public ExceptionBase
    {};

    /** A pointer that must be set is null. */
    class ExcNullPointer : public ExceptionBase
    {};

    /** An object was used in a state that does not allow the operation. */
    class ExcInvalidState : public ExceptionBase
    {};
  } // namespace StandardExceptions
} // namespace orr

namespace orrery_exceptions
{
  /** Number of failed check-and-report sites so far; never reset. */
  extern unsigned int failed_check_count;

  /**
   * The exception of the most recent failed check-and-report site, null before the first.
   * It points to an object of the check site: valid only while that site is running.
   */
  extern const orr::ExceptionBase *last_failed_check;

  /**
   * Called by ORR_ASSERT when its condition is false: records the site in `exception`,
   * writes the report block to standard error (the first failure only; the second writes
   * one suppression line) and ends the process with abnormal termination (std::abort).
   * Returns only when another exception is propagating at that moment.
   */
  void report_failed_check(const char *file, unsigned int line, const char *function,
                           const char *condition, const char *exception_text,
                           orr::ExceptionBase &exception);
} // namespace orrery_exceptions

/**
 * Check and report: when `condition` is false, the exception (written unqualified, e.g.
 * `ExcIndexRange(i,0,_data.size()-1)`, taken from orr::StandardExceptions) is built and handed
 * to report_failed_check with the site, which ends the process.
 */
#define ORR_ASSERT(condition, exception)                                                   \
  do                                                                                       \
  {                                                                                        \
    if (!(condition))                                                                      \
    {                                                                                      \
      auto orr_failed_check_exception = ::orr::StandardExceptions::exception;             \
      ::orrery_exceptions::report_failed_check(__FILE__, __LINE__, __PRETTY_FUNCTION__,   \
                                               #condition, #exception,                    \
                                               orr_failed_check_exception);               \
    }                                                                                      \
  } while (false)

/**
 * Check and throw: when `condition` is false, the exception (written unqualified, as for
 * ORR_ASSERT) is built, its site recorded, and thrown.
 */
#define ORR_ASSERT_THROW(condition, exception)                                             \
  do                                                                                       \
  {                                                                                        \
    if (!(condition))                                                                      \
    {                                                                                      \
      auto orr_failed_check_exception = ::orr::StandardExceptions::exception;             \
      orr_failed_check_exception.record_site(__FILE__, __LINE__, __PRETTY_FUNCTION__,     \
                                             #condition, #exception);                     \
      throw orr_failed_check_exception;                                                    \
    }                                                                                      \
  } while (false)

#endif
