# Two entry points: `make demo` and `make test`. Both install what is missing first.
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
JOBS           ?= 2

.PHONY: all deps build build-asan demo gui test clean

all: build

deps:
	@./scripts/install_dependencies.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# A second tree built with AddressSanitizer and UndefinedBehaviorSanitizer.
build-asan: deps
	@cmake -S . -B $(ASAN_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DORR_SANITIZE=ON -DORR_BUILD_GUI=OFF >/dev/null
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)

demo: build
	@./scripts/run_demo.sh $(BUILD_DIR)

# Builds everything and starts the desktop program (needs a display).
gui: build
	@$(BUILD_DIR)/gui/Veldra

test: build build-asan
	@echo "== Tests built with AddressSanitizer and UndefinedBehaviorSanitizer =="
	@cd $(ASAN_BUILD_DIR) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)
	@echo "== Tests =="
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
