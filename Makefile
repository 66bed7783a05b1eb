# Two entry points: `make demo` and `make test`. Both install what is missing first.
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
JOBS           ?= 2
FUZZ_SECONDS   ?= 60
# Qt keeps some allocations for the life of a process; LeakSanitizer is told to ignore those.
SANITIZER_ENV  := ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan_suppressions.txt

.PHONY: all deps build build-asan demo gui bench fuzz test clean

all: build

deps:
	@./scripts/install_dependencies.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# A second tree built with AddressSanitizer and UndefinedBehaviorSanitizer.
build-asan: deps
	@cmake -S . -B $(ASAN_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DORR_SANITIZE=ON >/dev/null
	@$(SANITIZER_ENV) cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)

demo: build
	@./scripts/run_demo.sh $(BUILD_DIR)

# Builds everything and starts the desktop program (needs a display).
gui: build
	@$(BUILD_DIR)/gui/Veldra

# Speed, memory and accuracy figures (not tests): every benchmark at full size, several
# minutes; the last prints where the time of a whole run goes.
bench: build
	@$(BUILD_DIR)/bench/fast_marching_bench
	@$(BUILD_DIR)/bench/pressure_bench
	@$(BUILD_DIR)/bench/tau_grid_bench
	@$(BUILD_DIR)/bench/ensemble_bench
	@$(BUILD_DIR)/bench/number_format_bench
	@$(BUILD_DIR)/bench/whole_run_bench

# Fuzzes every input reader for FUZZ_SECONDS each (clang and libFuzzer, in build-fuzz/).
fuzz: deps
	@./scripts/fuzz.sh $(FUZZ_SECONDS)

test: build build-asan
	@echo "== Input readers over their fuzzing corpora =="
	@./scripts/fuzz.sh --corpus-only
	@echo "== Tests built with AddressSanitizer and UndefinedBehaviorSanitizer =="
	@cd $(ASAN_BUILD_DIR) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	@echo "== Tests =="
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) build-fuzz
