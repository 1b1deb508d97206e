# Puts the sample's bids into a new database `samebytes` on the test server (PGSERVER, the folder
# scripts/pg-test-server.sh writes), through the Linux command line (NATIVE_CLI): the estimator
# imports them, and the designer may only read them, as an administrator grants.
cmake_minimum_required(VERSION 3.25)

file(READ "${PGSERVER}/port" port)
string(STRIP "${port}" port)
set(ENV{PGPASSFILE} "${PGSERVER}/pgpass")
set(history "postgresql://estimator@127.0.0.1:${port}/samebytes")

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
        ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nfailed (${status}): ${output}${errors}")
    endif()
endfunction()

function(as_admin database sql)
    run(psql -X -q -v ON_ERROR_STOP=1
        "host=127.0.0.1 port=${port} user=veskplan_admin dbname=${database}" -c "${sql}")
endfunction()

as_admin(postgres "DROP DATABASE IF EXISTS samebytes WITH (FORCE)")
as_admin(postgres "CREATE DATABASE samebytes OWNER estimator")
run("${NATIVE_CLI}" history init "${history}")
run("${NATIVE_CLI}" history import "${history}" "${DATA}/sample-bids.csv")
# (One statement a call: a ";" would part CMake's argument list.)
as_admin(samebytes "GRANT USAGE ON SCHEMA veskplan TO designer")
as_admin(samebytes "GRANT SELECT ON ALL TABLES IN SCHEMA veskplan TO designer")
message(STATUS "the sample's bids are on the test server, port ${port}")
